// The controls that start a network operation, disabled while one runs, without losing the keyboard.
#pragma once

#include <windows.h>

#include <utility>
#include <vector>

namespace velloway {

class BusyControls {
 public:
  // window: the top-level window the controls are in; called once they exist.
  void Attach(HWND window, std::vector<HWND> controls) {
    window_ = window;
    controls_ = std::move(controls);
  }

  // Disables the controls while busy, enables them otherwise. A disabled control loses the focus to nothing,
  // and the keyboard with it: the window keeps it meanwhile, and the control has it back afterwards. The
  // pointer over the window takes the hourglass, or gives it up, now rather than at its next move.
  void Set(bool busy);

 private:
  HWND window_ = nullptr;
  std::vector<HWND> controls_;
  HWND focusBefore_ = nullptr;  // the control that had the focus when busy began
};

}  // namespace velloway
