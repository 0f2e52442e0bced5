// The edit dialog of one setting: its controls, the drive entries and the check of the two required fields.
#include "ui/dialogs/U_SettingButtonForm.h"

#include <imm.h>

#include <string>
#include <vector>

#include "core/SecureWipe.h"
#include "core/SharePath.h"
#include "platform/WinText.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ErrorReport.h"

namespace velloway {
namespace {

enum ControlId {
  kE_Name = 101,
  kCB_Drive,
  kE_Folder,
  kE_ID,
  kE_Pass,
  kB_OK,
  kCK_CredentialManager,
  kCK_AutoConnect,
  kB_Cancel = IDCANCEL,
  kLabel = 200,
  kL_PassNote = 220,
};

constexpr DWORD kLabelStyle = SS_LEFT | SS_NOPREFIX;
constexpr DWORD kEditStyle = WS_TABSTOP | WS_BORDER | ES_AUTOHSCROLL;

// Labels first, then the controls in their tab order.
// clang-format off
const ControlLayout kLayout[] = {
    {kLabel, WC_STATICW, L"名前", 16, 19, 60, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"（ボタンに付ける名前）", 88, 43, 300, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"ドライブ", 16, 70, 60, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"（ドライブ割り当てをする場合のみ選択）", 287, 67, 280, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"フォルダ", 16, 113, 60, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"(例1)\\\\サーバー名\\共有フォルダ名　(例2）\\\\サーバーIPアドレス\\共有フォルダ名", 88, 137,
     480, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"ユーザー名", 16, 172, 70, 15, kLabelStyle},
    {kLabel, WC_STATICW, L"IDが未入力の場合は認証を行わず（現在のユーザーで）フォルダを開きます", 90, 196, 480, 15,
     kLabelStyle},
    {kLabel, WC_STATICW, L"パスワード", 16, 231, 70, 15, kLabelStyle},
    {kL_PassNote, WC_STATICW, L"保存されているパスワードを読み取れませんでした。入力し直してください。", 90, 252, 470, 15,
     kLabelStyle},
    {kE_Name, WC_EDITW, L"", 88, 16, 436, 21, kEditStyle},
    {kCB_Drive, WC_COMBOBOXW, L"", 88, 67, 193, 400, WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST},
    {kE_Folder, WC_EDITW, L"", 88, 110, 436, 21, kEditStyle},
    {kE_ID, WC_EDITW, L"", 88, 169, 281, 21, kEditStyle},
    {kE_Pass, WC_EDITW, L"", 88, 228, 281, 21, kEditStyle | ES_PASSWORD},
    // Under the password and its note; the buttons moved down to make room for it.
    {kCK_CredentialManager, WC_BUTTONW, L"Windows の資格情報マネージャーに保存する（推奨）", 88, 272, 470, 18,
     WS_TABSTOP | BS_AUTOCHECKBOX},
    {kCK_AutoConnect, WC_BUTTONW, L"サインイン時とネットワーク復帰時に自動接続する(&A)", 88, 296, 470, 18,
     WS_TABSTOP | BS_AUTOCHECKBOX},
    {kB_OK, WC_BUTTONW, L"OK(&O)", 48, 324, 75, 25, WS_TABSTOP | BS_DEFPUSHBUTTON},
    {kB_Cancel, WC_BUTTONW, L"Cancel(&C)", 192, 324, 75, 25, WS_TABSTOP | BS_PUSHBUTTON},
};
// clang-format on

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
  CreateModal(L"TF_SettingButtonForm", L"設定", 573, 358, WS_SYSMENU, owner);
  for (const ControlLayout& layout : kLayout) AddControl(layout);
  SendMessageW(E_Name(), EM_LIMITTEXT, 30, 0);
  SendMessageW(E_Folder(), EM_LIMITTEXT, 100, 0);
  SendMessageW(E_ID(), EM_LIMITTEXT, 40, 0);
  MakePasswordBox(E_Pass(), 40);
  // No input method at all where only ASCII belongs.
  ImmAssociateContextEx(E_ID(), nullptr, 0);
  for (const Text& entry : DriveEntries()) {
    SendMessageW(CB_Drive(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(ToWide(entry).c_str()));
  }
  SendMessageW(CB_Drive(), CB_SETCURSEL, 0, 0);
  ApplyFonts();
}

HWND TF_SettingButtonForm::E_Name() const noexcept { return Control(kE_Name); }
HWND TF_SettingButtonForm::CB_Drive() const noexcept { return Control(kCB_Drive); }
HWND TF_SettingButtonForm::E_Folder() const noexcept { return Control(kE_Folder); }
HWND TF_SettingButtonForm::E_ID() const noexcept { return Control(kE_ID); }
HWND TF_SettingButtonForm::E_Pass() const noexcept { return Control(kE_Pass); }
HWND TF_SettingButtonForm::B_OK() const noexcept { return Control(kB_OK); }
HWND TF_SettingButtonForm::B_Cancel() const noexcept { return Control(kB_Cancel); }
HWND TF_SettingButtonForm::L_PassNote() const noexcept { return Control(kL_PassNote); }
HWND TF_SettingButtonForm::CK_CredentialManager() const noexcept { return Control(kCK_CredentialManager); }
HWND TF_SettingButtonForm::CK_AutoConnect() const noexcept { return Control(kCK_AutoConnect); }

void TF_SettingButtonForm::FormShow() {
  if (extraDriveEntry_ >= 0) {
    SendMessageW(CB_Drive(), CB_DELETESTRING, static_cast<WPARAM>(extraDriveEntry_), 0);
    extraDriveEntry_ = -1;
  }
  const std::wstring drive = ToWide(Drive);
  LRESULT index = Drive.empty() ? 0
                                : SendMessageW(CB_Drive(), CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(drive.c_str()));
  // CB_FINDSTRINGEXACT ignores case: only an entry that is the very text counts.
  if (index != CB_ERR && DriveEntries()[static_cast<size_t>(index)] != Drive) index = CB_ERR;
  if (index == CB_ERR) {
    // A drive from a hand-edited file stays what it was unless the user picks another.
    index = SendMessageW(CB_Drive(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(drive.c_str()));
    extraDriveEntry_ = static_cast<int>(index);
  }
  SendMessageW(CB_Drive(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SetWindowTextW(E_Name(), ToWide(Name).c_str());
  SetWindowTextW(E_Folder(), ToWide(Folder).c_str());
  SetWindowTextW(E_ID(), ToWide(ID).c_str());
  SetControlText(E_Pass(), Password);  // resets the box's modified flag
  WipeString(Password);
  ShowWindow(L_PassNote(), PasswordUnreadable ? SW_SHOWNA : SW_HIDE);
  PasswordChanged = false;
  SendMessageW(CK_CredentialManager(), BM_SETCHECK, UseCredentialManager ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(CK_AutoConnect(), BM_SETCHECK, AutoConnect ? BST_CHECKED : BST_UNCHECKED, 0);
  SetInitialFocus(E_Name());
}

void TF_SettingButtonForm::ReadFields() {
  Name = ControlText(E_Name());
  Folder = ControlText(E_Folder());
  ID = ControlText(E_ID());
  Password = ControlText(E_Pass());
  PasswordChanged = SendMessageW(E_Pass(), EM_GETMODIFY, 0, 0) != 0;
  UseCredentialManager = SendMessageW(CK_CredentialManager(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  AutoConnect = SendMessageW(CK_AutoConnect(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  const LRESULT index = SendMessageW(CB_Drive(), CB_GETCURSEL, 0, 0);
  Drive = index == CB_ERR ? Text() : ControlText(CB_Drive());
}

void TF_SettingButtonForm::B_OKClick() {
  Text message;
  if (GetWindowTextLengthW(E_Name()) == 0) message += u"ボタンに付ける名前を入力してください。\r\n";
  if (GetWindowTextLengthW(E_Folder()) == 0) message += u"フォルダ名入力してください\r\n";
  // A line break would split the setting's line in the file; none of these fields has a use for any control
  // character.
  for (HWND field : {E_Name(), E_Folder(), E_ID()}) {
    if (HasControlCharacter(ControlText(field))) {
      message += u"名前、フォルダ、ユーザー名には改行などの制御文字を使えません。\r\n";
      break;
    }
  }
  // Only a share: a program, a URL or a folder of this PC would be run or opened by a click.
  if (GetWindowTextLengthW(E_Folder()) != 0 && !IsSharePath(ControlText(E_Folder()))) {
    message += Text(kSharePathRule) + u"\r\n";
  }
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
void TF_SettingButtonForm::ForgetPassword() { WipePasswordBox(E_Pass()); }

void TF_SettingButtonForm::OnButtonClick(int id, HWND) {
  if (id == kB_OK) B_OKClick();
}

// Enter in a field: the dialog's default button.
void TF_SettingButtonForm::OnOk() { B_OKClick(); }

LRESULT TF_SettingButtonForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == EN_SETFOCUS) {
    const int id = LOWORD(wParam);
    if (id == kE_Name) OpenInputMethod(E_Name(), true);
    if (id == kE_Folder) OpenInputMethod(E_Folder(), false);
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
