// The hourglass for the length of a scope, the previous cursor back on every path.
#pragma once

#include <windows.h>

namespace velloway {

class WaitCursor {
 public:
  WaitCursor() noexcept : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
  ~WaitCursor() { SetCursor(previous_); }
  WaitCursor(const WaitCursor&) = delete;
  WaitCursor& operator=(const WaitCursor&) = delete;

 private:
  HCURSOR previous_;
};

}  // namespace velloway
