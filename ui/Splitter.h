// A horizontal bar between two halves of a window; dragging it reports the new top edge live.
#pragma once

#include <functional>

#include "ui/Window.h"

namespace velloway {

class Splitter : public Window {
 public:
  // onDrag receives the bar's wanted top, in the parent's client coordinates.
  HWND Create(HWND parent, std::function<void(int top)> onDrag);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  std::function<void(int)> onDrag_;
  int grabOffset_ = 0;
};

}  // namespace velloway
