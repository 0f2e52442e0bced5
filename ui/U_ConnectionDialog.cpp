// TF_ConnectionDialog: caption, size and close box.
#include "U_ConnectionDialog.h"

#include "Dpi.h"

namespace velloway {

void TF_ConnectionDialog::Create(HWND owner) {
  CreateModal(L"TF_ConnectionDialog", L"接続認証確認", 452, 213, WS_SYSMENU, owner);
  font_ = CreateWindowFont(DpiOf(Handle()));
  ApplyFont(Handle(), font_.get());
}

}  // namespace velloway
