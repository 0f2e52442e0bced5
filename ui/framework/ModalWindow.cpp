// The modal message loop.
#include "ui/framework/ModalWindow.h"

#include <vector>

#include "ui/framework/Dpi.h"
#include "ui/framework/MessageDispatch.h"

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
  // Never a second loop on a window already shown: whatever asked (a message that arrived inside the first) would
  // take over what the user is filling in, and one close would end both.
  if (showing_) return ModalResult::None;
  HWND owner = GetWindow(Handle(), GW_OWNER);
  // Shown from another modal window (the edit dialog from the browser, say), that window is blocked too,
  // and only windows that were enabled are enabled again afterwards.
  HWND active = GetActiveWindow();
  if (active == Handle()) active = nullptr;
  std::vector<HWND> disabled;
  for (HWND window : {owner, active}) {
    if (window != nullptr && IsWindowEnabled(window)) {  // the owner when it is also the active one: once
      EnableWindow(window, FALSE);
      disabled.push_back(window);
    }
  }
  result_ = ModalResult::None;
  showing_ = true;
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
  // Re-enabled before hiding, so that the window below gets the activation back.
  for (auto it = disabled.rbegin(); it != disabled.rend(); ++it) {
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  }
  ShowWindow(Handle(), SW_HIDE);
  HWND back = active != nullptr && IsWindow(active) && IsWindowEnabled(active) ? active : owner;
  if (back != nullptr) SetActiveWindow(back);
  showing_ = false;
  if (quit) PostQuitMessage(static_cast<int>(message.wParam));
  return quit ? ModalResult::Cancel : result_;
}

LRESULT ModalWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_CLOSE: CloseRequested(); return 0;
    default: break;
  }
  return TopLevelWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
