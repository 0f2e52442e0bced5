// The connection dialog: its controls, filled at every show, read back on OK.
#include "ui/dialogs/U_ConnectionDialog.h"

#include <string>

#include "core/SecureWipe.h"
#include "platform/WinText.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

enum ControlId { kLabel = 200, kLabel2, kL_Drive, kE_Folder, kE_ID, kE_Pass, kB_Ok = IDOK, kB_Cancel = IDCANCEL };

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEditStyle = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// The buttons come first: the tab order is B_Ok, B_Cancel, E_Folder, E_ID, E_Pass.
// clang-format off
const ControlLayout kLayout[] = {
    {kB_Ok, WC_BUTTONW, L"Ok(&O)", 64, 176, 75, 25, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {kB_Cancel, WC_BUTTONW, L"Cancel(&C)", 288, 176, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
    {kLabel2, WC_STATICW, L"接続認証してフォルダを開きますか？", 8, 8, 400, 20, kLabelStyle, 0, 16},
    {kL_Drive, WC_STATICW, L"", 16, 45, 400, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"フォルダ", 16, 64, 100, 15, kLabelStyle},
    {kE_Folder, WC_EDITW, L"", 16, 80, 428, 21, kEditStyle},
    {kLabel, WC_STATICW, L"ユーザー名", 16, 110, 100, 15, kLabelStyle},
    {kE_ID, WC_EDITW, L"", 185, 107, 259, 21, kEditStyle},
    {kLabel, WC_STATICW, L"パスワード", 16, 137, 100, 15, kLabelStyle},
    {kE_Pass, WC_EDITW, L"", 185, 134, 259, 21, kEditStyle | ES_PASSWORD},
};
// clang-format on

}  // namespace

void TF_ConnectionDialog::Create(HWND owner) {
  CreateModal(L"TF_ConnectionDialog", L"接続認証確認", 452, 213, WS_SYSMENU, owner);
  for (const ControlLayout& layout : kLayout) AddControl(layout);
  SendMessageW(E_Folder(), EM_LIMITTEXT, 100, 0);
  SendMessageW(E_ID(), EM_LIMITTEXT, 40, 0);
  MakePasswordBox(E_Pass(), 40);
  ApplyFonts();
}

HWND TF_ConnectionDialog::L_Drive() const noexcept { return Control(kL_Drive); }
HWND TF_ConnectionDialog::E_Folder() const noexcept { return Control(kE_Folder); }
HWND TF_ConnectionDialog::E_ID() const noexcept { return Control(kE_ID); }
HWND TF_ConnectionDialog::E_Pass() const noexcept { return Control(kE_Pass); }
HWND TF_ConnectionDialog::B_Ok() const noexcept { return Control(kB_Ok); }
HWND TF_ConnectionDialog::B_Cancel() const noexcept { return Control(kB_Cancel); }

void TF_ConnectionDialog::FormShow() {
  SetWindowTextW(L_Drive(), ToWide(DriveLine).c_str());
  SetWindowTextW(E_Folder(), ToWide(Folder).c_str());
  SetWindowTextW(E_ID(), ToWide(ID).c_str());
  SetControlText(E_Pass(), Password);
  WipeString(Password);
  // Enter confirms at once.
  SetInitialFocus(B_Ok());
}

void TF_ConnectionDialog::OnOk() {
  Folder = ControlText(E_Folder());
  ID = ControlText(E_ID());
  Password = ControlText(E_Pass());
  ForgetPassword();
  EndModal(ModalResult::Ok);
}

LRESULT TF_ConnectionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kE_Folder && HIWORD(wParam) == EN_SETFOCUS) {
    // The folder is typed in ASCII: the input method starts closed.
    OpenInputMethod(E_Folder(), false);
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

void TF_ConnectionDialog::CloseRequested() {
  ForgetPassword();
  ModalWindow::CloseRequested();
}

// The hidden dialog does not keep the password in its box until the next show.
void TF_ConnectionDialog::ForgetPassword() { WipePasswordBox(E_Pass()); }

}  // namespace velloway
