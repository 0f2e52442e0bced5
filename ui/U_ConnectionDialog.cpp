// The connection dialog: its controls, filled at every show, read back on OK.
#include "U_ConnectionDialog.h"

#include <string>

#include "Controls.h"
#include "Dpi.h"
#include "SecureWipe.h"
#include "WinText.h"

namespace velloway {
namespace {

enum ControlId { kLabel = 200, kLabel2, kL_Drive, kE_Folder, kE_ID, kE_Pass, kB_Ok = IDOK, kB_Cancel = IDCANCEL };

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEditStyle = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// The buttons come first: the tab order is B_Ok, B_Cancel, E_Folder, E_ID, E_Pass.
const ControlLayout kLayout[] = {
    {kB_Ok, WC_BUTTONW, L"Ok(&O)", 64, 176, 75, 25, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {kB_Cancel, WC_BUTTONW, L"Cancel(&C)", 288, 176, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
    {kLabel2, WC_STATICW, L"接続認証してフォルダを開きますか？", 8, 8, 400, 20, kLabelStyle},
    {kL_Drive, WC_STATICW, L"", 16, 45, 400, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"フォルダ", 16, 64, 100, 14, kLabelStyle},
    {kE_Folder, WC_EDITW, L"", 16, 80, 428, 21, kEditStyle},
    {kLabel, WC_STATICW, L"ユーザー名", 16, 110, 100, 14, kLabelStyle},
    {kE_ID, WC_EDITW, L"", 185, 107, 259, 21, kEditStyle},
    {kLabel, WC_STATICW, L"パスワード", 16, 137, 100, 14, kLabelStyle},
    {kE_Pass, WC_EDITW, L"", 185, 134, 259, 21, kEditStyle | ES_PASSWORD},
};

}  // namespace

void TF_ConnectionDialog::Create(HWND owner) {
  CreateModal(L"TF_ConnectionDialog", L"接続認証確認", 452, 213, WS_SYSMENU, owner);
  const UINT dpi = DpiOf(Handle());
  HWND label2 = nullptr;
  for (const ControlLayout& layout : kLayout) {
    HWND control = CreateControl(Handle(), layout, dpi);
    switch (layout.id) {
      case kB_Ok: B_Ok_ = control; break;
      case kB_Cancel: B_Cancel_ = control; break;
      case kLabel2: label2 = control; break;
      case kL_Drive: L_Drive_ = control; break;
      case kE_Folder: E_Folder_ = control; break;
      case kE_ID: E_ID_ = control; break;
      case kE_Pass: E_Pass_ = control; break;
      default: break;
    }
  }
  SendMessageW(E_Folder_, EM_LIMITTEXT, 100, 0);
  SendMessageW(E_ID_, EM_LIMITTEXT, 40, 0);
  MakePasswordBox(E_Pass_, 40);
  font_ = CreateWindowFont(dpi);
  titleFont_ = CreateWindowFont(dpi, 16);
  ApplyFont(Handle(), font_.get());
  SendMessageW(label2, WM_SETFONT, reinterpret_cast<WPARAM>(titleFont_.get()), TRUE);
}

void TF_ConnectionDialog::FormShow() {
  SetWindowTextW(L_Drive_, ToWide(DriveLine).c_str());
  SetWindowTextW(E_Folder_, ToWide(Folder).c_str());
  SetWindowTextW(E_ID_, ToWide(ID).c_str());
  SetControlText(E_Pass_, Password);
  WipeString(Password);
  // Enter confirms at once.
  SetInitialFocus(B_Ok_);
}

LRESULT TF_ConnectionDialog::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && LOWORD(wParam) == kB_Ok &&
      (HIWORD(wParam) == BN_CLICKED || lParam == 0)) {
    Folder = ControlText(E_Folder_);
    ID = ControlText(E_ID_);
    Password = ControlText(E_Pass_);
    ForgetPassword();
    EndModal(ModalResult::Ok);
    return 0;
  }
  if (message == WM_COMMAND && LOWORD(wParam) == kE_Folder && HIWORD(wParam) == EN_SETFOCUS) {
    // The folder is typed in ASCII: the input method starts closed.
    OpenInputMethod(E_Folder_, false);
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

void TF_ConnectionDialog::CloseRequested() {
  ForgetPassword();
  ModalWindow::CloseRequested();
}

// The hidden dialog does not keep the password in its box until the next show.
void TF_ConnectionDialog::ForgetPassword() { SetWindowTextW(E_Pass_, L""); }

}  // namespace velloway
