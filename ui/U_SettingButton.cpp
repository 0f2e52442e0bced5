// The button settings editor window.
#include "U_SettingButton.h"

#include "Controls.h"
#include "Dpi.h"

namespace velloway {
namespace {

enum ControlId { kB_Close = 106 };

const ControlLayout kB_CloseLayout{kB_Close, WC_BUTTONW, L"閉じる(&C)", 563, 13, 75, 25, WS_TABSTOP | BS_PUSHBUTTON};

}  // namespace

void TF_SettingButton::Create(HWND owner, std::function<void()> onClose) {
  onClose_ = std::move(onClose);
  CreateModal(L"TF_SettingButton", L"ボタン設定", 670, 328, 0, owner);
  const UINT dpi = DpiOf(Handle());
  B_Close_ = CreateControl(Handle(), kB_CloseLayout, dpi);
  font_ = CreateWindowFont(dpi);
  ApplyFont(Handle(), font_.get());
}

void TF_SettingButton::B_CloseClick() {
  onClose_();  // raises when the save fails: the editor then stays open
  EndModal(ModalResult::Ok);
}

LRESULT TF_SettingButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kB_Close && HIWORD(wParam) == BN_CLICKED) {
    B_CloseClick();
    return 0;
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
