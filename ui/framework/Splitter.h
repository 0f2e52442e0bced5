// A horizontal bar between two halves of a window. It keeps the lower half's height, which a drag changes live
// within limits and which stays as it was when the window is made too small for it for a while.
#pragma once

#include <functional>

#include "ui/framework/Window.h"

namespace velloway {

class Splitter : public Window {
 public:
  // onMoved: a drag changed the lower half's height; the window lays its halves out again.
  HWND Create(HWND parent, std::function<void()> onMoved);
  // The lower half's height in pixels, as wanted.
  int LowerHeight() const noexcept { return lowerHeight_; }
  void SetLowerHeight(int height) noexcept { lowerHeight_ = height; }
  // Places the bar, thickness high and width wide, just above the lower half at the bottom of an area available
  // high; a drag leaves each half at least minimum high. Returns the lower half's height as placed.
  int Place(int width, int available, int thickness, int minimum);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::function<void()> onMoved_;
  int grabOffset_ = 0;
  int lowerHeight_ = 0;
  int available_ = 0;
  int thickness_ = 0;
  int minimum_ = 0;
};

}  // namespace velloway
