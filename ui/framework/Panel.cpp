// The panel's forwarding of notifications.
#include "ui/framework/Panel.h"

namespace velloway {

HWND Panel::Create(HWND parent, RECT bounds, DWORD extraStyle) {
  // WS_EX_CONTROLPARENT lets the dialog manager reach the controls inside for Tab and the accelerators.
  return CreateWindowOfClass(L"VellowayPanel", WS_EX_CONTROLPARENT,
                             WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_CLIPSIBLINGS | extraStyle, L"", bounds,
                             parent);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velloway
