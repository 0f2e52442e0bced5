// The button settings editor: add, edit, delete and move rows, save on close.
#include "ui/dialogs/U_SettingButton.h"

#include <commctrl.h>

#include <algorithm>
#include <string>

#include "core/ButtonShortcut.h"
#include "core/CredentialKeys.h"
#include "core/SecureWipe.h"
#include "platform/ShellLink.h"
#include "platform/WinText.h"
#include "platform/WindowsSignInStart.h"
#include "ui/dialogs/U_SettingButtonForm.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ErrorReport.h"

namespace velloway {
namespace {

enum ControlId {
  kB_Add = 101,
  kB_Edit,
  kB_Delete,
  kB_Up,
  kB_Down,
  kB_Close,
  kLV_Button = 120,
  kCK_SignIn,
  kB_Copy,
  kB_Shortcut
};

constexpr char16_t kSharedRowMark[] = u"［管理］";
constexpr char16_t kSharedIsReadOnly[] =
    u"管理者が配布したボタンは、ここでは変更・削除・移動できません。"
    u"「自分のボタンにコピー(&P)」でコピーすると、自分のボタンとして編集できます。";

constexpr int kPanel1Height = 49;
// Below the list: a row for what acts on the selected row, then the sign-in check box.
constexpr int kBottomHeight = 62;
constexpr DWORD kButtonStyle = WS_TABSTOP | BS_PUSHBUTTON;

// clang-format off
const ControlLayout kLayout[] = {
    {kB_Add, WC_BUTTONW, L"追加(&A)", 8, 13, 75, 25, kButtonStyle},
    // Edit is 8 wider than it was, Delete 8 further right: the caption did not fit at 144 DPI.
    {kB_Edit, WC_BUTTONW, L"選択した設定を編集(&E)", 89, 13, 145, 25, kButtonStyle},
    {kB_Delete, WC_BUTTONW, L"選択した設定を削除(&D)", 240, 13, 145, 25, kButtonStyle},
    {kB_Up, WC_BUTTONW, L"↑(&U)", 401, 13, 41, 25, kButtonStyle},
    {kB_Down, WC_BUTTONW, L"↓(&B)", 448, 13, 42, 25, kButtonStyle},
    {kB_Close, WC_BUTTONW, L"閉じる(&C)", 563, 13, 75, 25, kButtonStyle},
    // Fills what Panel1's height leaves (Layout).
    {kLV_Button, WC_LISTVIEWW, L"", 0, 0, 0, 0,
     WS_TABSTOP | LVS_REPORT | LVS_OWNERDATA | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_NOSORTHEADER,
     WS_EX_CLIENTEDGE, 0, Placement::Window},
    {kB_Shortcut, WC_BUTTONW, L"デスクトップにショートカットを作成(&S)", 8, 304, 260, 25, kButtonStyle},
    {kB_Copy, WC_BUTTONW, L"自分のボタンにコピー(&P)", 276, 304, 180, 25, kButtonStyle},
    {kCK_SignIn, WC_BUTTONW, L"Windows へのサインイン時に Velloway を起動する(&W)", 8, 335, 420, 20,
     WS_TABSTOP | BS_AUTOCHECKBOX},
};
// clang-format on

struct Column {
  const wchar_t* caption;
  int width;    // at 96 DPI
  int maximum;  // the widest the user may drag it, or 0 for no limit
};

// ID and Pass are hidden from view: the user cannot widen them.
const Column kColumns[] = {
    {L"ボタン名", 200, 0}, {L"ドライブ", 64, 0}, {L"フルパス", 400, 0}, {L"ID", 0, 1}, {L"パス", 1, 1},
};

// The hidden columns stay at their pixel widths, whatever the DPI.
int ColumnWidth(int column, UINT dpi) {
  const Column& c = kColumns[column];
  if (c.maximum > 0) return c.width;
  return Scale(c.width, dpi);
}

}  // namespace

void TF_SettingButton::Create(HWND owner, std::function<bool(bool mayAsk)> onClose) {
  onClose_ = std::move(onClose);
  CreateModal(L"TF_SettingButton", L"ボタン設定", 670, 360, 0, owner);
  for (const ControlLayout& layout : kLayout) AddControl(layout);
  ListView_SetExtendedListViewStyle(LV_Button(), LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES);
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.pszText = const_cast<wchar_t*>(kColumns[i].caption);
    column.cx = ColumnWidth(i, Dpi());
    column.iSubItem = i;
    ListView_InsertColumn(LV_Button(), i, &column);
  }
  Layout();
  ApplyFonts();
  form_.OnAccept = [this] { return AcceptForm(); };
  RowsChanged();
}

HWND TF_SettingButton::LV_Button() const noexcept { return Control(kLV_Button); }
HWND TF_SettingButton::B_Add() const noexcept { return Control(kB_Add); }
HWND TF_SettingButton::B_Edit() const noexcept { return Control(kB_Edit); }
HWND TF_SettingButton::B_Delete() const noexcept { return Control(kB_Delete); }
HWND TF_SettingButton::B_Up() const noexcept { return Control(kB_Up); }
HWND TF_SettingButton::B_Down() const noexcept { return Control(kB_Down); }
HWND TF_SettingButton::B_Close() const noexcept { return Control(kB_Close); }
HWND TF_SettingButton::CK_SignIn() const noexcept { return Control(kCK_SignIn); }
HWND TF_SettingButton::B_Copy() const noexcept { return Control(kB_Copy); }
HWND TF_SettingButton::B_Shortcut() const noexcept { return Control(kB_Shortcut); }

// The list fills what Panel1's height and the bottom strip leave.
void TF_SettingButton::Layout() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int top = Scale(kPanel1Height, Dpi());
  const int bottom = client.bottom - Scale(kBottomHeight, Dpi());
  PlaceWindow(LV_Button(), 0, top, client.right, bottom - top);
}

void TF_SettingButton::OnDpiChanged(UINT) {
  Layout();
  for (int i = 0; i < static_cast<int>(std::size(kColumns)); ++i) {
    ListView_SetColumnWidth(LV_Button(), i, ColumnWidth(i, Dpi()));
  }
}

void TF_SettingButton::FormShow() {
  // The user may have turned it off in Task Manager meanwhile.
  SendMessageW(CK_SignIn(), BM_SETCHECK, signIn_.Enabled() ? BST_CHECKED : BST_UNCHECKED, 0);
  rowsAtShow_ = settings_;
  autosAtShow_ = autos_;
  RowsChanged();
}

int TF_SettingButton::SelectedRow() const { return ListView_GetNextItem(LV_Button(), -1, LVNI_SELECTED); }

void TF_SettingButton::RowsChanged() {
  ShowWindow(B_Copy(), shared_.empty() ? SW_HIDE : SW_SHOW);
  ListView_SetItemCountEx(LV_Button(), static_cast<int>(shared_.size() + settings_.Count()), LVSICF_NOSCROLL);
  InvalidateRect(LV_Button(), nullptr, TRUE);
}

void TF_SettingButton::SharedRowsChanged() {
  if (!IsShowing()) return;
  Select(-1);
  RowsChanged();
}

std::optional<size_t> TF_SettingButton::SelectedOwnRow(const Text& noneMessage) {
  const int row = SelectedRow();
  if (row < 0) {
    ShowMessage(Handle(), noneMessage);
    return std::nullopt;
  }
  if (static_cast<size_t>(row) < shared_.size()) {
    ShowMessage(Handle(), kSharedIsReadOnly);
    return std::nullopt;
  }
  return static_cast<size_t>(row) - shared_.size();
}

void TF_SettingButton::Select(int row) {
  ListView_SetItemState(LV_Button(), -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row >= 0) {
    ListView_SetItemState(LV_Button(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    ListView_EnsureVisible(LV_Button(), row, FALSE);
  }
}

void TF_SettingButton::FillForm(const ButtonSetting& setting) {
  form_.AutoConnect = autos_.Contains(setting);
  form_.Name = setting.Name;
  form_.Drive = setting.Drive;
  form_.Folder = setting.Folder;
  form_.ID = setting.ID;
  // An empty Pass: the password, if any, is in Credential Manager under the row's key. New rows go there too.
  form_.UseCredentialManager = UsesCredentialStore(setting);
  if (form_.UseCredentialManager) {
    WipeString(form_.Password);
    form_.Password = StoredPassword(setting, credentials_);
    form_.PasswordUnreadable = false;
    return;
  }
  // A Pass from another machine, another adapter or a damaged file shows as an empty box with a note.
  CipherOutcome stored = TryDecryptPassword(setting.Pass, crypto_);
  form_.Password = std::move(stored.text);
  WipeString(stored.text);
  form_.PasswordUnreadable = !stored.succeeded;
}

// On OK: the password must have an ANSI form (it is encrypted as such bytes), and the encryption must
// work; otherwise the dialog says why and stays open. An unreadable stored Pass that the user left alone
// is kept byte for byte, even with the box ticked: there is nothing to move.
bool TF_SettingButton::AcceptForm() {
  if (storedPass_ && form_.PasswordUnreadable && !form_.PasswordChanged) {
    acceptedPass_ = *storedPass_;
    return true;
  }
  if (form_.UseCredentialManager) return AcceptIntoCredentialManager();
  if (!crypto_.codePage.CanRepresent(form_.Password)) {
    ShowMessage(form_.Handle(),
                u"パスワードに使用できない文字が含まれています。\r\n"
                u"この PC の文字コード（Shift_JIS）で表せる文字だけを使ってください。");
    return false;
  }
  CipherOutcome encrypted = TryEncryptPassword(form_.Password, crypto_);
  if (!encrypted.succeeded) {
    Text message = u"パスワードを暗号化できませんでした。設定は変更されていません。";
    if (encrypted.lastError != 0) message += u"（エラー " + ErrorCodeText(encrypted.lastError) + u"）";
    ShowMessage(form_.Handle(), message);
    return false;
  }
  acceptedPass_ = std::move(encrypted.text);
  return true;
}

// Written at once, so that no copy of the password waits for the save; the row's Pass becomes empty. Any
// character will do: the password reaches the network as UTF-16, never through the code page. An empty
// password is no entry: what the key held goes at once too, as a new password would replace it, unless
// another row still uses the key.
bool TF_SettingButton::AcceptIntoCredentialManager() {
  const Text key = CredentialKey(ButtonSetting{form_.Name, form_.Drive, form_.Folder, form_.ID, u""});
  if (form_.Password.empty()) {
    SettingsList otherRows = settings_;
    if (editedRow_) otherRows.Delete(*editedRow_);
    DeleteUnusedCredentials(credentials_, {key}, otherRows);
    acceptedPass_.clear();
    return true;
  }
  const std::uint32_t error = credentials_.Write(key, form_.Password);
  if (error != 0) {
    ShowMessage(form_.Handle(),
                u"パスワードを Windows の資格情報マネージャーに保存できませんでした。設定は変更されていません。"
                u"（エラー " +
                    ErrorCodeText(error) + u"）");
    return false;
  }
  acceptedPass_.clear();
  return true;
}

void TF_SettingButton::Forget(const ButtonSetting& row) {
  if (UsesCredentialStore(row)) keysToDelete_.push_back(CredentialKey(row));
}

ButtonSetting TF_SettingButton::SettingFromForm() {
  ButtonSetting setting{form_.Name, form_.Drive, form_.Folder, form_.ID, std::move(acceptedPass_)};
  acceptedPass_.clear();
  WipeString(form_.Password);
  return setting;
}

void TF_SettingButton::B_AddClick() { AddWithForm(ButtonSetting{}); }

bool TF_SettingButton::AddWithForm(const ButtonSetting& shown) {
  FillForm(shown);
  editedRow_.reset();
  storedPass_.reset();
  if (form_.ShowModal() != ModalResult::Ok) {
    WipeString(form_.Password);
    return false;
  }
  settings_.Append(SettingFromForm());
  autos_.Set(settings_.Row(settings_.Count() - 1), form_.AutoConnect);
  RowsChanged();
  return true;
}

bool TF_SettingButton::AddFromShare(const Text& name, const Text& folder) {
  return AddWithForm(ButtonSetting{name, u"", folder, u"", u""});
}

void TF_SettingButton::RemoveLastRow() {
  if (settings_.Count() == 0) return;
  const ButtonSetting removed = settings_.Row(settings_.Count() - 1);
  settings_.Delete(settings_.Count() - 1);
  // The rows are what the file holds again: a password only this row kept goes with it.
  if (UsesCredentialStore(removed)) DeleteUnusedCredentials(credentials_, {CredentialKey(removed)}, settings_);
  Select(-1);
  RowsChanged();
}

void TF_SettingButton::B_EditClick() {
  const std::optional<size_t> own = SelectedOwnRow(u"編集する設定を選択してください");
  if (!own) return;
  const size_t row = *own;
  FillForm(settings_.Row(static_cast<size_t>(row)));
  editedRow_ = row;
  storedPass_ = settings_.Row(static_cast<size_t>(row)).Pass;
  if (form_.ShowModal() != ModalResult::Ok) {
    WipeString(form_.Password);
    return;
  }
  // The user has looked at the button and said what it is: auto-connect may try it again.
  autoHolds_.UserTookOver(settings_.Row(static_cast<size_t>(row)));
  // The old key stays in use if the edit kept Folder, ID and the box: the save checks.
  Forget(settings_.Row(static_cast<size_t>(row)));
  autos_.Set(settings_.Row(static_cast<size_t>(row)), false);
  settings_.SetRow(static_cast<size_t>(row), SettingFromForm());
  autos_.Set(settings_.Row(static_cast<size_t>(row)), form_.AutoConnect);
  RowsChanged();
}

void TF_SettingButton::B_DeleteClick() {
  const std::optional<size_t> own = SelectedOwnRow(u"削除する設定を選択してください");
  if (!own) return;
  const size_t row = *own;
  if (!AskYesNo(Handle(), u"削除します。よろしいですか？", true)) return;
  Forget(settings_.Row(static_cast<size_t>(row)));
  settings_.Delete(static_cast<size_t>(row));
  Select(-1);
  RowsChanged();
}

void TF_SettingButton::MoveSelected(int offset) {
  if (SelectedRow() < 0) return;
  const std::optional<size_t> own = SelectedOwnRow(Text());
  if (!own) return;
  // The own rows move among themselves, below the shared ones.
  const auto row = static_cast<int>(*own);
  const int target = row + offset;
  if (target < 0 || target >= static_cast<int>(settings_.Count())) return;
  ButtonSetting moved = settings_.Row(static_cast<size_t>(row));
  settings_.Delete(static_cast<size_t>(row));
  settings_.Insert(static_cast<size_t>(target), std::move(moved));
  RowsChanged();
  SelectOwn(static_cast<size_t>(target));
}

// The copy is the user's own row: theirs to edit, and to keep a password in. It connects by itself as the
// shared one did.
void TF_SettingButton::B_CopyClick() {
  const int row = SelectedRow();
  if (row < 0 || static_cast<size_t>(row) >= shared_.size()) {
    ShowMessage(Handle(), u"コピーする管理者のボタンを選択してください");
    return;
  }
  const SharedButton copied = shared_[static_cast<size_t>(row)];
  settings_.Append(copied.row);
  autos_.Set(copied.row, copied.autoConnect);
  RowsChanged();
  SelectOwn(settings_.Count() - 1);
}

// The link runs this program with /connect, so the button connects from the desktop without the window. Its
// name resolves when it runs: the rows being edited are saved by then, as closing the editor saves.
void TF_SettingButton::B_ShortcutClick() {
  const int row = SelectedRow();
  if (row < 0) {
    ShowMessage(Handle(), u"ショートカットを作成するボタンを選択してください");
    return;
  }
  const ButtonShortcut shortcut = ShortcutForButton(ButtonRows(settings_, &shared_), static_cast<size_t>(row));
  const Text desktop = DesktopFolder();
  const Text program = ProgramPath();
  Text written;
  const std::uint32_t error =
      desktop.empty()
          ? static_cast<std::uint32_t>(ERROR_PATH_NOT_FOUND)
          : WriteNewShellLink(desktop, shortcut.fileName,
                              ShellLinkDetails{program, shortcut.arguments, program, shortcut.description}, written);
  if (error != 0) {
    ShowMessage(Handle(),
                u"デスクトップにショートカットを作成できませんでした。（エラー " + ErrorCodeText(error) + u"）");
    return;
  }
  ShowMessage(Handle(), u"デスクトップにショートカット「" + written + u"」を作成しました。");
}

void TF_SettingButton::B_UpClick() { MoveSelected(-1); }

void TF_SettingButton::B_DownClick() { MoveSelected(1); }

void TF_SettingButton::B_CloseClick(bool mayAsk) {
  try {
    if (!onClose_(mayAsk)) return;
    DeleteUnusedCredentials(credentials_, keysToDelete_, settings_);
  } catch (...) {
    // The save failed (a locked file, a full disk): the file keeps its old bytes. The user may try again,
    // or leave without saving rather than being shut in.
    ReportCurrentException(Handle());
    if (mayAsk &&
        !AskYesNo(Handle(), u"設定を保存できませんでした。\r\n保存せずに閉じますか？（この画面での変更は元に戻ります）",
                  false)) {
      return;
    }
    settings_ = rowsAtShow_;
    autos_ = autosAtShow_;
    Select(-1);
    RowsChanged();
  }
  // Saved, or given up: either way nothing left to delete (the restored rows still use their keys).
  keysToDelete_.clear();
  EndModal(ModalResult::Ok);
}

LRESULT TF_SettingButton::OnNotify(const NMHDR& header) {
  if (header.idFrom == kLV_Button && header.code == LVN_GETDISPINFOW) {
    LVITEMW& item = reinterpret_cast<NMLVDISPINFOW&>(const_cast<NMHDR&>(header)).item;
    if ((item.mask & LVIF_TEXT) == 0 || item.cchTextMax <= 0 || item.iItem < 0 ||
        static_cast<size_t>(item.iItem) >= shared_.size() + settings_.Count()) {
      return 0;
    }
    const auto index = static_cast<size_t>(item.iItem);
    Text value;
    if (index < shared_.size()) {
      // The administrator's rows: marked, and never with a password.
      const ButtonSetting& shared = shared_[index].row;
      const Text* fields[] = {&shared.Drive, &shared.Folder, &shared.ID};
      if (item.iSubItem == 0) value = kSharedRowMark + shared.Name;
      if (item.iSubItem >= 1 && item.iSubItem <= 3) value = *fields[item.iSubItem - 1];
    } else {
      const size_t row = index - shared_.size();
      value = item.iSubItem == 0 ? settings_.Name(row) : settings_.Get(row, static_cast<SubItem>(item.iSubItem - 1));
    }
    const size_t length = std::min(value.size(), static_cast<size_t>(item.cchTextMax - 1));
    std::copy_n(value.begin(), length, item.pszText);
    item.pszText[length] = L'\0';
    return 0;
  }
  // The hidden columns keep their width of at most one pixel.
  if (header.code == HDN_BEGINTRACKW || header.code == HDN_ITEMCHANGINGW) {
    const auto& change = reinterpret_cast<const NMHEADERW&>(header);
    if (change.iItem >= 0 && change.iItem < static_cast<int>(std::size(kColumns)) &&
        kColumns[change.iItem].maximum > 0) {
      if (header.code == HDN_BEGINTRACKW) return TRUE;
      if (change.pitem != nullptr && (change.pitem->mask & HDI_WIDTH) &&
          change.pitem->cxy > kColumns[change.iItem].maximum) {
        return TRUE;
      }
    }
  }
  return 0;
}

void TF_SettingButton::OnButtonClick(int id, HWND) {
  switch (id) {
    case kB_Add: B_AddClick(); break;
    case kB_Edit: B_EditClick(); break;
    case kB_Delete: B_DeleteClick(); break;
    case kB_Up: B_UpClick(); break;
    case kB_Down: B_DownClick(); break;
    case kB_Close: B_CloseClick(); break;
    case kB_Copy: B_CopyClick(); break;
    case kB_Shortcut: B_ShortcutClick(); break;
    case kCK_SignIn: CK_SignInClick(); break;
    default: break;
  }
}

void TF_SettingButton::CK_SignInClick() {
  const bool on = SendMessageW(CK_SignIn(), BM_GETCHECK, 0, 0) == BST_CHECKED;
  const std::uint32_t error = signIn_.Enable(on);
  if (error != 0) {
    ShowMessage(Handle(), u"サインイン時の起動を設定できませんでした。（エラー " + NumberText(error) + u"）");
  }
  SendMessageW(CK_SignIn(), BM_SETCHECK, signIn_.Enabled() ? BST_CHECKED : BST_UNCHECKED, 0);
}

bool TF_SettingButton::SaveAndClose(bool mayAsk) {
  if (!IsShowing()) return true;
  if (!Ending()) B_CloseClick(mayAsk);
  return Ending();
}

LRESULT TF_SettingButton::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_NOTIFY: return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    // A polite close (the Restart Manager, taskkill) and the end of the session save as B_Close does; Esc
    // still does not close.
    case WM_CLOSE: SaveAndClose(true); return 0;
    case WM_QUERYENDSESSION: return SaveAndClose(true) ? TRUE : FALSE;
    case WM_ENDSESSION:
      if (wParam) SaveAndClose(false);
      return 0;
    default: break;
  }
  return ModalWindow::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
