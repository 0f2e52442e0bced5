// The network browser window.
#include "UNetResEnum.h"

#include "Controls.h"
#include "Dpi.h"

namespace velloway {
namespace {

enum ControlId { kB_Close = 101 };

const ControlLayout kB_CloseLayout{kB_Close, WC_BUTTONW, L"閉じる(&C)", 255, 5, 81, 25, WS_TABSTOP | BS_PUSHBUTTON};

}  // namespace

void TF_NetResEnum::Create(HWND owner) {
  CreateModal(L"TF_NetResEnum", L"リソース検索", 426, 293, WS_SYSMENU, owner);
  const UINT dpi = DpiOf(Handle());
  B_Close_ = CreateControl(Handle(), kB_CloseLayout, dpi);
  font_ = CreateWindowFont(dpi);
  ApplyFont(Handle(), font_.get());
}

void TF_NetResEnum::B_CloseClick() { EndModal(ModalResult::Cancel); }

LRESULT TF_NetResEnum::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kB_Close && HIWORD(wParam) == BN_CLICKED) {
    B_CloseClick();
    return 0;
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
