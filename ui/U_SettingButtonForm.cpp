// The edit dialog of one setting: its controls, the drive entries and the check of the two required fields.
#include "U_SettingButtonForm.h"

#include <imm.h>

#include <string>
#include <vector>

#include "Controls.h"
#include "Dpi.h"
#include "ErrorReport.h"
#include "SecureWipe.h"
#include "WinText.h"

namespace velloway {
namespace {

enum ControlId {
  kE_Name = 101,
  kCB_Drive,
  kE_Folder,
  kE_ID,
  kE_Pass,
  kB_OK,
  kB_Cancel = IDCANCEL,
  kLabel = 200,
  kL_PassNote = 220,
};

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEditStyle = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// Labels first, then the controls in their tab order.
const ControlLayout kLayout[] = {
    {kLabel, WC_STATICW, L"名前", 16, 19, 60, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"（ボタンに付ける名前）", 88, 43, 300, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"ドライブ", 16, 70, 60, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"（ドライブ割り当てをする場合のみ選択）", 287, 67, 280, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"フォルダ", 16, 113, 60, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"(例1)\\\\サーバー名\\共有フォルダ名　(例2）\\\\サーバーIPアドレス\\共有フォルダ名", 88, 137,
     480, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"ユーザー名", 16, 172, 70, 14, kLabelStyle},
    {kLabel, WC_STATICW, L"IDが未入力の場合は認証を行わず（現在のユーザーで）フォルダを開きます", 90, 196, 480, 14,
     kLabelStyle},
    {kLabel, WC_STATICW, L"パスワード", 16, 231, 70, 14, kLabelStyle},
    {kL_PassNote, WC_STATICW, L"保存されているパスワードを読み取れませんでした。入力し直してください。", 90, 252, 470, 14,
     kLabelStyle},
    {kE_Name, WC_EDITW, L"", 88, 16, 436, 21, kEditStyle},
    {kCB_Drive, WC_COMBOBOXW, L"", 88, 67, 193, 400, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {kE_Folder, WC_EDITW, L"", 88, 110, 436, 21, kEditStyle},
    {kE_ID, WC_EDITW, L"", 88, 169, 281, 21, kEditStyle},
    {kE_Pass, WC_EDITW, L"", 88, 228, 281, 21, kEditStyle | ES_PASSWORD},
    {kB_OK, WC_BUTTONW, L"OK(&O)", 48, 272, 75, 25, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {kB_Cancel, WC_BUTTONW, L"Cancel(&C)", 192, 272, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
};

}  // namespace

const std::vector<Text>& TF_SettingButtonForm::DriveEntries() {
  static const std::vector<Text> entries = [] {
    std::vector<Text> list{u"", u"B"};
    for (char16_t letter = u'D'; letter <= u'Z'; ++letter) list.push_back(Text(1, letter));
    return list;
  }();
  return entries;
}

void TF_SettingButtonForm::Create(HWND owner) {
  CreateModal(L"TF_SettingButtonForm", L"設定", 573, 306, WS_SYSMENU, owner);
  const UINT dpi = DpiOf(Handle());
  for (const ControlLayout& layout : kLayout) {
    HWND control = CreateControl(Handle(), layout, dpi);
    switch (layout.id) {
      case kE_Name: E_Name_ = control; break;
      case kCB_Drive: CB_Drive_ = control; break;
      case kE_Folder: E_Folder_ = control; break;
      case kE_ID: E_ID_ = control; break;
      case kE_Pass: E_Pass_ = control; break;
      case kB_OK: B_OK_ = control; break;
      case kB_Cancel: B_Cancel_ = control; break;
      case kL_PassNote: L_PassNote_ = control; break;
      default: break;
    }
  }
  SendMessageW(E_Name_, EM_LIMITTEXT, 30, 0);
  SendMessageW(E_Folder_, EM_LIMITTEXT, 100, 0);
  SendMessageW(E_ID_, EM_LIMITTEXT, 40, 0);
  MakePasswordBox(E_Pass_, 40);
  // No input method at all where only ASCII belongs.
  ImmAssociateContextEx(E_ID_, nullptr, 0);
  for (const Text& entry : DriveEntries()) {
    SendMessageW(CB_Drive_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
  }
  SendMessageW(CB_Drive_, CB_SETCURSEL, 0, 0);
  font_ = CreateWindowFont(dpi);
  ApplyFont(Handle(), font_.get());
}

void TF_SettingButtonForm::FormShow() {
  if (extraDriveEntry_ >= 0) {
    SendMessageW(CB_Drive_, CB_DELETESTRING, static_cast<WPARAM>(extraDriveEntry_), 0);
    extraDriveEntry_ = -1;
  }
  const std::wstring drive = ToWide(Drive);
  LRESULT index = Drive.empty() ? 0 : SendMessageW(CB_Drive_, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                               reinterpret_cast<LPARAM>(drive.c_str()));
  // CB_FINDSTRINGEXACT ignores case: only an entry that is the very text counts.
  if (index != CB_ERR && DriveEntries()[static_cast<size_t>(index)] != Drive) index = CB_ERR;
  if (index == CB_ERR) {
    // A drive from a hand-edited file stays what it was unless the user picks another.
    index = SendMessageW(CB_Drive_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    extraDriveEntry_ = static_cast<int>(index);
  }
  SendMessageW(CB_Drive_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SetWindowTextW(E_Name_, ToWide(Name).c_str());
  SetWindowTextW(E_Folder_, ToWide(Folder).c_str());
  SetWindowTextW(E_ID_, ToWide(ID).c_str());
  SetControlText(E_Pass_, Password);  // resets the box's modified flag
  WipeString(Password);
  ShowWindow(L_PassNote_, PasswordUnreadable ? SW_SHOWNA : SW_HIDE);
  PasswordChanged = false;
  SetInitialFocus(E_Name_);
}

void TF_SettingButtonForm::ReadFields() {
  Name = ControlText(E_Name_);
  Folder = ControlText(E_Folder_);
  ID = ControlText(E_ID_);
  Password = ControlText(E_Pass_);
  PasswordChanged = SendMessageW(E_Pass_, EM_GETMODIFY, 0, 0) != 0;
  const LRESULT index = SendMessageW(CB_Drive_, CB_GETCURSEL, 0, 0);
  Drive = index == CB_ERR ? Text() : ControlText(CB_Drive_);
}

void TF_SettingButtonForm::B_OKClick() {
  Text message;
  if (GetWindowTextLengthW(E_Name_) == 0) message += u"ボタンに付ける名前を入力してください。\r\n";
  if (GetWindowTextLengthW(E_Folder_) == 0) message += u"フォルダ名入力してください\r\n";
  if (!message.empty()) {
    ShowMessage(Handle(), message);
    return;
  }
  ReadFields();
  if (OnAccept && !OnAccept()) {
    WipeString(Password);
    return;
  }
  ForgetPassword();
  EndModal(ModalResult::Ok);
}

void TF_SettingButtonForm::CloseRequested() {
  ForgetPassword();
  ModalWindow::CloseRequested();
}

// The hidden dialog must not keep the password in its box: another program could read it there.
void TF_SettingButtonForm::ForgetPassword() { SetWindowTextW(E_Pass_, L""); }

LRESULT TF_SettingButtonForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND) {
    const int id = LOWORD(wParam);
    if (id == kB_OK && HIWORD(wParam) == BN_CLICKED) {
      B_OKClick();
      return 0;
    }
    if (id == kE_Name && HIWORD(wParam) == EN_SETFOCUS) OpenInputMethod(E_Name_, true);
    if (id == kE_Folder && HIWORD(wParam) == EN_SETFOCUS) OpenInputMethod(E_Folder_, false);
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
