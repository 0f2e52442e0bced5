// Disabling and enabling the header buttons around a network operation, the focus kept.
#include "ui/main/BusyControls.h"

#include <algorithm>

namespace velloway {

void BusyControls::Set(bool busy) {
  HWND focus = GetFocus();
  if (busy && std::find(controls_.begin(), controls_.end(), focus) != controls_.end()) {
    focusBefore_ = focus;
    SetFocus(window_);
  }
  for (HWND control : controls_) EnableWindow(control, busy ? FALSE : TRUE);
  if (!busy && focusBefore_ != nullptr) {
    if (GetFocus() == window_ || GetFocus() == nullptr) SetFocus(focusBefore_);
    focusBefore_ = nullptr;
  }
  // The window under the pointer is asked for its cursor as a move would ask it.
  POINT cursor{};
  HWND under = GetCursorPos(&cursor) ? WindowFromPoint(cursor) : nullptr;
  if (under != nullptr && GetAncestor(under, GA_ROOT) == window_) {
    const LRESULT hit = SendMessageW(under, WM_NCHITTEST, 0, MAKELPARAM(cursor.x, cursor.y));
    SendMessageW(under, WM_SETCURSOR, reinterpret_cast<WPARAM>(under), MAKELPARAM(hit, WM_MOUSEMOVE));
  }
}

}  // namespace velloway
