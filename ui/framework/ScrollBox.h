// A container that scrolls its children vertically; its range follows the lowest child.
#pragma once

#include <initializer_list>

#include "ui/framework/Panel.h"

namespace velloway {

class ScrollBox : public Panel {
 public:
  HWND Create(HWND parent, RECT bounds);
  int Position() const noexcept { return position_; }
  int Range() const noexcept { return range_; }
  // Scrolls by delta pixels, clamped to the range.
  void ScrollBy(int delta);
  void ScrollTo(int position);
  // Recomputes the range from the children, after they were added, removed or moved.
  void UpdateRange();
  // Sets the range to the lowest child's bottom in the scrolled content, when the caller knows it: no walk.
  void SetRange(int range);
  // The nearest of boxes (null ones are skipped) at or above the window under the pointer, when that window
  // is in root; null otherwise.
  static ScrollBox* UnderPointer(HWND root, std::initializer_list<ScrollBox*> boxes);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int PageHeight() const;
  int position_ = 0;
  int range_ = 0;
};

}  // namespace velloway
