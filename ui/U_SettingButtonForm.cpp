// TF_SettingButtonForm: caption, size and close box.
#include "U_SettingButtonForm.h"

#include "Dpi.h"

namespace velloway {

void TF_SettingButtonForm::Create(HWND owner) {
  CreateModal(L"TF_SettingButtonForm", L"設定", 573, 306, WS_SYSMENU, owner);
  font_ = CreateWindowFont(DpiOf(Handle()));
  ApplyFont(Handle(), font_.get());
}

}  // namespace velloway
