// A plain container that passes its controls' notifications on to its parent, so the window that owns
// the controls handles them wherever they sit.
#pragma once

#include "ui/framework/Window.h"

namespace velloway {

class Panel : public Window {
 public:
  HWND Create(HWND parent, RECT bounds, DWORD extraStyle = 0);

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace velloway
