// The modal message loop.
#include "ModalWindow.h"

#include "Dpi.h"
#include "MessageDispatch.h"

namespace velloway {

HWND ModalWindow::CreateModal(const wchar_t* className, const wchar_t* caption, int width, int height,
                              DWORD titleButtons, HWND owner) {
  const DWORD style = WS_POPUP | WS_CAPTION | WS_CLIPCHILDREN | titleButtons;
  const DWORD exStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;
  const SIZE size = OuterSize(width, height, style, exStyle, DpiOf(owner));
  HWND window = CreateWindowOfClass(className, exStyle, style, caption, RECT{0, 0, size.cx, size.cy}, owner);
  StartFrame();
  return window;
}

ModalResult ModalWindow::ShowModal() {
  HWND owner = GetWindow(Handle(), GW_OWNER);
  result_ = ModalResult::None;
  showing_ = true;
  if (owner != nullptr) EnableWindow(owner, FALSE);
  FormShow();
  ShowWindow(Handle(), SW_SHOW);
  SetForegroundWindow(Handle());
  // Activation gives the focus to the window itself: the chosen control takes it afterwards.
  if (initialFocus_ != nullptr) SetFocus(initialFocus_);
  MSG message{};
  bool quit = false;
  while (result_ == ModalResult::None) {
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) {
      quit = true;
      break;
    }
    DispatchWithDialogKeys(Handle(), message);
  }
  // Re-enabled before hiding, so that the owner gets the activation back.
  if (owner != nullptr) EnableWindow(owner, TRUE);
  ShowWindow(Handle(), SW_HIDE);
  if (owner != nullptr) SetActiveWindow(owner);
  showing_ = false;
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return quit ? ModalResult::Cancel : result_;
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE:
      CloseRequested();
      return 0;
    default:
      break;
  }
  return TopLevelWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
