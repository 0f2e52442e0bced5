// The button settings editor and its edit dialog, through the real windows under Wine.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <objbase.h>
#include <shellapi.h>
#include <shlobj.h>

#include <functional>
#include <optional>
#include <string>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "UiHarness.h"
#include "core/CommandLine.h"
#include "core/U_crypto.h"
#include "platform/ShellLink.h"
#include "platform/WinText.h"
#include "platform/WindowsAnsiCodePage.h"
#include "platform/WindowsCredentialStore.h"
#include "platform/WindowsNetBios.h"
#include "platform/WindowsSignInStart.h"

namespace velloway {
namespace {

using testing::Click;
using testing::PostClick;
using testing::RunningApplication;
using testing::RunSoon;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

// A click as the button reports it to its window.
class SettingButtonTest : public testing::StandInWindowTest {
 protected:
  void SetUp() override {
    Start(StandInNetwork(), "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\nc,D,\\\\srv\\c,,\r\n");
    editor().RowsChanged();  // as showing the editor does
  }
  std::vector<Text> Names() {
    std::vector<Text> names;
    for (size_t i = 0; i < app().Settings.Count(); ++i) names.push_back(app().Settings.Name(i));
    return names;
  }
  std::wstring Cell(int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(editor().LV_Button(), row, column, text, 256);
    return text;
  }

  // Adds a row through the dialog with these fields, expecting OK to be refused: the message boxes it showed,
  // and whether the dialog was still open under them. The dialog is then cancelled.
  struct Refusal {
    std::vector<std::wstring> messages;
    bool stillOpen = false;
  };
  Refusal AddRefused(const wchar_t* name, const wchar_t* folder, const wchar_t* id) {
    Refusal refusal;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == form().Handle()) {
        if (refusal.messages.empty()) {
          SetWindowTextW(form().E_Name(), name);
          SetWindowTextW(form().E_Folder(), folder);
          SetWindowTextW(form().E_ID(), id);
          PostClick(form().B_OK());
        }
      } else if (seen.className == L"#32770") {
        refusal.messages.push_back(seen.text);
        refusal.stillOpen = form().IsShowing();
        WindowWatcher::Answer(window, IDOK);
        PostClick(form().B_Cancel());
      }
    });
    Click(editor().B_Add());
    return refusal;
  }
};

TEST_F(SettingButtonTest, ListShowsTheSettingsListItself) {
  EXPECT_EQ(ListView_GetItemCount(editor().LV_Button()), 3);
  EXPECT_EQ(Cell(0, 0), L"a");
  EXPECT_EQ(Cell(0, 1), L"Z");
  EXPECT_EQ(Cell(2, 2), L"\\\\srv\\c");
  app().Settings.SetName(1, u"renamed");
  EXPECT_EQ(Cell(1, 0), L"renamed");  // no second copy
  const LONG_PTR exStyle = ListView_GetExtendedListViewStyle(editor().LV_Button());
  EXPECT_TRUE((exStyle & LVS_EX_FULLROWSELECT) && (exStyle & LVS_EX_GRIDLINES));
  const int widths[] = {200, 64, 400, 0, 1};  // the drive column wide enough for its caption
  for (int i = 0; i < 5; ++i) EXPECT_EQ(ListView_GetColumnWidth(editor().LV_Button(), i), widths[i]) << i;
}

TEST_F(SettingButtonTest, WithoutSelectionEditAndDeleteSayWhyAndNothingMoves) {
  WindowWatcher watcher;
  Click(editor().B_Edit());
  Click(editor().B_Delete());
  Click(editor().B_Up());
  Click(editor().B_Down());
  const auto boxes = watcher.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, L"編集する設定を選択してください");
  EXPECT_EQ(boxes[1].text, L"削除する設定を選択してください");
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"b", u"c"}));
}

TEST_F(SettingButtonTest, UpAndDownMoveByOneAndKeepTheSelection) {
  struct Step {
    int select;
    bool up;
    std::vector<Text> names;
    int selectedAfter;
  };
  for (const Step& step : {
           Step{0, true, {u"a", u"b", u"c"}, 0},   // the first row cannot go up
           Step{2, false, {u"a", u"b", u"c"}, 2},  // the last row cannot go down
           Step{0, false, {u"b", u"a", u"c"}, 1},
           Step{2, true, {u"b", u"c", u"a"}, 1},
       }) {
    Select(step.select);
    Click(step.up ? editor().B_Up() : editor().B_Down());
    EXPECT_EQ(Names(), step.names);
    EXPECT_EQ(editor().SelectedRow(), step.selectedAfter);
    EXPECT_EQ(ListView_GetNextItem(editor().LV_Button(), -1, LVNI_FOCUSED), step.selectedAfter);
  }
}

TEST_F(SettingButtonTest, EditShowsTheRowAndCancelLeavesItUnchanged) {
  app().Settings.SetRow(1, ButtonSetting{u"b", u"A", u"\\\\srv\\b", u"user", EncryptPassword(u"秘密pw", app().Crypto)});
  const ButtonSetting before = app().Settings.Row(1);
  std::wstring shownPassword, shownDrive;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form().Handle()) return;
    shownPassword = WindowText(form().E_Pass());
    shownDrive = WindowText(form().CB_Drive());
    SetWindowTextW(form().E_Name(), L"changed");
    PostClick(form().B_Cancel());
  });
  Select(1);
  Click(editor().B_Edit());
  EXPECT_EQ(shownPassword, L"秘密pw");
  EXPECT_EQ(shownDrive, L"A");  // a drive none of the entries names is shown as it is
  EXPECT_EQ(app().Settings.Row(1), before);
}

TEST_F(SettingButtonTest, EditConfirmedWritesBackWithTheNewPasswordEncrypted) {
  app().Settings.SetRow(1, ButtonSetting{u"b", u"A", u"\\\\srv\\b", u"", u""});
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form().Handle()) return;
    SetWindowTextW(form().E_Name(), L"経理");
    SetWindowTextW(form().E_ID(), L"yamada");
    SetWindowTextW(form().E_Pass(), L"pw2");
    SendMessageW(form().CK_CredentialManager(), BM_SETCHECK, BST_UNCHECKED, 0);  // the file's Pass
    PostClick(form().B_OK());
  });
  Select(1);
  Click(editor().B_Edit());
  const ButtonSetting& row = app().Settings.Row(1);
  EXPECT_EQ(row.Name, u"経理");
  EXPECT_EQ(row.Drive, u"A");  // untouched drive kept
  EXPECT_EQ(row.ID, u"yamada");
  EXPECT_EQ(row.Pass.size(), 32u);
  EXPECT_EQ(DecryptPassword(row.Pass, app().Crypto), u"pw2");

  // The extra entry is gone at the next show: an empty dialog offers the 25 entries only.
  WindowWatcher again([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form().Handle()) return;
    EXPECT_EQ(SendMessageW(form().CB_Drive(), CB_GETCOUNT, 0, 0), 25);
    EXPECT_EQ(SendMessageW(form().CB_Drive(), CB_GETCURSEL, 0, 0), 0);
    PostClick(form().B_Cancel());
  });
  Click(editor().B_Add());
  EXPECT_EQ(app().Settings.Count(), 3u);
}

TEST_F(SettingButtonTest, EmptyNameAndFolderAreRefusedWithBothMessages) {
  int formShown = 0;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == form().Handle() && ++formShown == 1) PostClick(form().B_OK());
    if (seen.className == L"#32770") {
      WindowWatcher::Answer(window, IDOK);
      PostClick(form().B_Cancel());
    }
  });
  Click(editor().B_Add());
  const auto boxes = watcher.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, L"ボタンに付ける名前を入力してください。\r\nフォルダ名入力してください\r\n");
  EXPECT_EQ(app().Settings.Count(), 3u);
}

TEST_F(SettingButtonTest, DeleteAsksAndOnlyYesDeletes) {
  int answer = IDNO;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (seen.className == L"#32770") WindowWatcher::Answer(window, answer);
  });
  Select(1);
  Click(editor().B_Delete());
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"b", u"c"}));
  answer = IDYES;
  Click(editor().B_Delete());
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"c"}));
  ASSERT_EQ(watcher.MessageBoxes().size(), 2u);
  EXPECT_EQ(watcher.MessageBoxes()[0].caption, L"確認");
  EXPECT_EQ(watcher.MessageBoxes()[0].text, L"削除します。よろしいですか？");
}

// Through the main window: add a setting, close the editor, and find it saved and on a new last button.
TEST_F(SettingButtonTest, AddThenCloseSavesTheFileAndRebuildsTheButtons) {
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == editor().Handle()) {
      PostClick(editor().B_Add());
    }
    if (window == form().Handle()) {
      SetWindowTextW(form().E_Name(), L"新規");
      SetWindowTextW(form().E_Folder(), L"\\\\srv\\new");
      SendMessageW(form().CB_Drive(), CB_SETCURSEL, 1, 0);                         // "B"
      SendMessageW(form().CK_CredentialManager(), BM_SETCHECK, BST_UNCHECKED, 0);  // the file's Pass
      PostClick(form().B_OK());
      PostClick(editor().B_Close());
    }
  });
  Click(running_->main().B_AddButton());
  const std::vector<HWND> buttons = running_->main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 4u);
  EXPECT_EQ(WindowText(buttons.back()), L"新規");

  HANDLE file = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                            0, nullptr);
  char bytes[512] = {};
  DWORD read = 0;
  ReadFile(file, bytes, sizeof bytes, &read, nullptr);
  CloseHandle(file);
  const std::string content(bytes, read);
  const std::string expectedStart =
      "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\nc,D,\\\\srv\\c,,\r\n\x90\x56\x8B\x4B,B,\\\\srv\\new,,";
  EXPECT_EQ(content.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(content.size(), expectedStart.size() + 32 + 2);  // the empty password's 32 digits and CR LF
}

// A save that fails keeps the editor open with its rows when the user does not leave without saving;
// Close works once the file can be written again.
TEST_F(SettingButtonTest, FailedSaveKeepsTheEditorOpenAndTheOldFile) {
  HANDLE holder = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  bool editorOpenAtError = false;
  bool edited = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == editor().Handle() && !edited) {
      edited = true;
      Select(0);
      PostClick(editor().B_Delete());
    }
    if (seen.className != L"#32770") return;
    if (seen.text == L"削除します。よろしいですか？") {
      WindowWatcher::Answer(window, IDYES);
      // After the answer: a click posted earlier would close, with nothing changed yet, inside the question.
      PostClick(editor().B_Close());
    } else if (seen.caption == L"確認") {
      // "close without saving?": No, try again.
      WindowWatcher::Answer(window, IDNO);
      PostClick(editor().B_Close());
    } else {
      editorOpenAtError = IsWindowVisible(editor().Handle()) != FALSE;
      WindowWatcher::Answer(window, IDOK);
      CloseHandle(holder);
      holder = INVALID_HANDLE_VALUE;
    }
  });
  Click(running_->main().B_AddButton());
  EXPECT_TRUE(editorOpenAtError);
  const auto boxes = watcher.MessageBoxes();
  ASSERT_EQ(boxes.size(), 3u);
  EXPECT_NE(boxes[1].text.find(testing::SettingsFilePath()), std::wstring::npos);
  EXPECT_EQ(boxes[2].text, L"設定を保存できませんでした。\r\n保存せずに閉じますか？（この画面での変更は元に戻ります）");
  EXPECT_FALSE(IsWindowVisible(editor().Handle()));
  EXPECT_EQ(running_->main().ConnectButtons().size(), 2u);
}

// A file that stays locked does not shut the user in: after the error they may close without saving. The
// file keeps its bytes, and the list and the buttons go back to what they were.
TEST_F(SettingButtonTest, FailedSaveLetsTheUserCloseWithoutSaving) {
  const std::string before = "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\nc,D,\\\\srv\\c,,\r\n";
  HANDLE holder = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  int defaultButton = 0;
  bool edited = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == editor().Handle() && !edited) {
      edited = true;
      Select(0);
      PostClick(editor().B_Delete());
    }
    if (seen.className != L"#32770") return;
    if (seen.text.starts_with(L"設定を保存できませんでした")) {
      // Looked at once the box runs: the default button then has the focus.
      testing::RunSoon([&defaultButton, window] {
        defaultButton = GetDlgCtrlID(GetFocus());
        WindowWatcher::Answer(window, IDYES);
      });
    } else if (seen.text == L"削除します。よろしいですか？") {
      WindowWatcher::Answer(window, IDYES);
      PostClick(editor().B_Close());  // after the answer: a click posted earlier would run inside the question
    } else {
      WindowWatcher::Answer(window, IDOK);
    }
  });
  Click(running_->main().B_AddButton());
  CloseHandle(holder);
  EXPECT_EQ(defaultButton, IDNO) << "No must be the default answer";
  EXPECT_FALSE(IsWindowVisible(editor().Handle()));
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"b", u"c"}));
  EXPECT_EQ(running_->main().ConnectButtons().size(), 3u);
  EXPECT_EQ(testing::ReadBytes(FromWide(testing::SettingsFilePath().c_str())), before);
}

// A stored Pass that cannot be decrypted (cut short, or not hex at all) shows as an empty box with a note;
// OK with the box untouched keeps it byte for byte, a typed password replaces it.
TEST_F(SettingButtonTest, UnreadablePasswordIsKeptUnlessTheUserTypesOne) {
  Text damaged = EncryptPassword(u"stored", app().Crypto);
  damaged.resize(damaged.size() - 2);
  for (const Text& stored : {damaged, Text(u"not hex!")}) {
    for (const bool typed : {false, true}) {
      app().Settings.SetRow(1, ButtonSetting{u"b", u"", u"\\\\srv\\b", u"user", stored});
      std::wstring shown = L"not read";
      bool noteShown = false;
      WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
        if (window != form().Handle()) return;
        shown = WindowText(form().E_Pass());
        noteShown = IsWindowVisible(form().L_PassNote()) != FALSE;
        for (wchar_t c : std::wstring(L"new")) {
          if (typed) SendMessageW(form().E_Pass(), WM_CHAR, c, 1);
        }
        PostClick(form().B_OK());
      });
      Select(1);
      Click(editor().B_Edit());
      EXPECT_EQ(shown, L"");
      EXPECT_TRUE(noteShown);
      if (typed) {
        EXPECT_EQ(DecryptPassword(app().Settings.Row(1).Pass, app().Crypto), u"new");
      } else {
        EXPECT_EQ(app().Settings.Row(1).Pass, stored);
      }
    }
  }
  // A readable one shows no note.
  app().Settings.SetRow(1, ButtonSetting{u"b", u"", u"\\\\srv\\b", u"", EncryptPassword(u"pw", app().Crypto)});
  bool noteShown = true;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form().Handle()) return;
    noteShown = IsWindowVisible(form().L_PassNote()) != FALSE;
    PostClick(form().B_Cancel());
  });
  Click(editor().B_Edit());
  EXPECT_FALSE(noteShown);
}

// A password the ANSI code page cannot hold would be stored as '?': it is refused, and the dialog stays
// open. The password box is emptied whenever the dialog closes, by OK or by Cancel.
TEST_F(SettingButtonTest, PasswordWithoutAnAnsiFormIsRefusedAndTheBoxIsEmptiedOnClose) {
  int okClicks = 0;
  std::wstring refusal;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == form().Handle() && okClicks == 0) {
      SetWindowTextW(form().E_Name(), L"n");
      SetWindowTextW(form().E_Folder(), L"\\\\srv\\n");
      SetWindowTextW(form().E_Pass(), L"p\u00E4ss\u20AC");
      SendMessageW(form().CK_CredentialManager(), BM_SETCHECK, BST_UNCHECKED, 0);  // only the file's Pass is ANSI
      ++okClicks;
      PostClick(form().B_OK());
    }
    if (seen.className == L"#32770") {
      refusal = seen.text;
      EXPECT_TRUE(IsWindowVisible(form().Handle()));
      EXPECT_EQ(WindowText(form().E_Pass()), L"p\u00E4ss\u20AC") << "the typed password is kept for correcting";
      WindowWatcher::Answer(window, IDOK);
      PostClick(form().B_Cancel());
    }
  });
  Click(editor().B_Add());
  EXPECT_EQ(refusal,
            L"パスワードに使用できない文字が含まれています。\r\nこの PC "
            L"の文字コード（Shift_JIS）で表せる文字だけを使ってください。");
  EXPECT_EQ(app().Settings.Count(), 3u);
  EXPECT_EQ(WindowText(form().E_Pass()), L"") << "after Cancel";

  WindowWatcher confirm([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form().Handle()) return;
    SetWindowTextW(form().E_Name(), L"n");
    SetWindowTextW(form().E_Folder(), L"\\\\srv\\n");
    SetWindowTextW(form().E_Pass(), L"\u7D4C\u7406pw");
    SendMessageW(form().CK_CredentialManager(), BM_SETCHECK, BST_UNCHECKED, 0);
    PostClick(form().B_OK());
  });
  Click(editor().B_Add());
  ASSERT_EQ(app().Settings.Count(), 4u);
  EXPECT_EQ(DecryptPassword(app().Settings.Row(3).Pass, app().Crypto), u"経理pw");
  EXPECT_EQ(WindowText(form().E_Pass()), L"") << "after OK";
}

std::string FileBytes(const std::wstring& path) {
  return testing::ReadBytes(FromWide(path.c_str())).value_or("(no file)");
}

// Another program holds vlw.ini when the program starts: the load fails and the list stays empty. Closing
// the editor with the list unchanged must leave the file alone; once the user has added a setting and the
// file is free again, its old bytes are kept beside it, and the user is told where.
TEST(SettingsFileHeldAtStartUp, TheFileSurvivesTheEditor) {
  const std::wstring path = testing::SettingsFilePath();
  // 経理,Z,\\srv\keiri,,<32 digits> and a second setting, in code page 932.
  const std::string original =
      "\x8C\x6F\x97\x9D,Z,\\\\srv\\keiri,,0123456789ABCDEF0123456789ABCDEF\r\n"
      "\x89\x63\x8B\xC6,,\\\\192.168.0.10\\eigyo,yamada,0123456789ABCDEF0123456789ABCDEF\r\n";
  testing::WriteSettingsFile(original);
  for (const wchar_t* suffix : {L".bak", L".bak2"}) DeleteFileW((path + suffix).c_str());
  HANDLE holder = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);

  std::vector<std::wstring> errors;
  bool addOne = false;
  bool acted = false;  // the editor is activated again after each window it opens: act once per show
  std::unique_ptr<RunningApplication> running;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    Application& app = running->app();
    if (window == app.F_SettingButton.Handle() && !acted) {
      acted = true;
      // One click at a time: a click posted now would run inside the edit dialog's own message loop.
      PostClick(addOne ? app.F_SettingButton.B_Add() : app.F_SettingButton.B_Close());
    } else if (window == app.F_SettingButtonForm.Handle()) {
      SetWindowTextW(app.F_SettingButtonForm.E_Name(), L"new");
      SetWindowTextW(app.F_SettingButtonForm.E_Folder(), L"\\\\srv\\new");
      PostClick(app.F_SettingButtonForm.B_OK());
      PostClick(app.F_SettingButton.B_Close());
    } else if (seen.className == L"#32770") {
      errors.push_back(seen.text);
      WindowWatcher::Answer(window, IDOK);
    }
  });
  running = std::make_unique<RunningApplication>();
  ASSERT_TRUE(running->PumpUntil([&] { return !running->main().StartupTimerArmed(); }));
  ASSERT_EQ(errors.size(), 1u) << "the failed load is reported";
  EXPECT_NE(errors[0].find(path), std::wstring::npos);
  EXPECT_TRUE(running->main().ConnectButtons().empty());

  // Opened and closed while the file is still held: nothing to save, so no error either.
  Click(running->main().B_AddButton());
  EXPECT_EQ(errors.size(), 1u);
  EXPECT_FALSE(IsWindowVisible(running->app().F_SettingButton.Handle()));
  CloseHandle(holder);
  EXPECT_EQ(FileBytes(path), original);
  EXPECT_EQ(FileBytes(path + L".bak"), "(no file)");

  // Opened and closed again with the file free, still unchanged: still untouched.
  acted = false;
  Click(running->main().B_AddButton());
  EXPECT_EQ(FileBytes(path), original);

  // A setting added: the old bytes go beside the file first, and the user is told where.
  addOne = true;
  acted = false;
  Click(running->main().B_AddButton());
  ASSERT_EQ(errors.size(), 2u);
  EXPECT_EQ(errors[1],
            L"起動時に読み込めなかった設定ファイルの元の内容を、次のファイルに残しました。\r\n" + path + L".bak");
  EXPECT_EQ(FileBytes(path + L".bak"), original);
  const std::string saved = FileBytes(path);
  EXPECT_TRUE(saved.starts_with("new,,\\\\srv\\new,,")) << saved;
  EXPECT_EQ(running->main().ConnectButtons().size(), 1u);
  DeleteFileW((path + L".bak").c_str());
}

// A crypto provider that cannot make a key: the one Windows boundary the test cannot break for real.
struct NoKeyProvider final : CryptoProvider {
  std::unique_ptr<CryptoContext> AcquireContext(const std::string&, std::uint32_t, std::uint32_t) override {
    return nullptr;
  }
};

// When the password cannot be encrypted the dialog says so, stays open and nothing is stored (no empty Pass).
TEST(SettingButtonWithoutCrypto, FailedEncryptionStoresNothingAndKeepsTheDialogOpen) {
  NoKeyProvider provider;
  WindowsNetBios netBios;
  WindowsAnsiCodePage codePage;
  const CryptoServices crypto{provider, netBios, codePage};
  SettingsList settings;
  TF_SettingButtonForm form;
  WindowsCredentialStore credentials;
  WindowsSignInStart signIn;
  AutoConnectSet autos;
  AutoConnectHolds holds;
  const SharedButtons shared;
  TF_SettingButton editor(settings, form, crypto, credentials, signIn, autos, holds, shared);
  form.Create(nullptr);
  editor.Create(nullptr, [](bool) { return true; });

  std::wstring message;
  bool formOpenAtMessage = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == form.Handle() && message.empty()) {
      SetWindowTextW(form.E_Name(), L"n");
      SetWindowTextW(form.E_Folder(), L"\\\\srv\\n");
      SetWindowTextW(form.E_Pass(), L"pw");
      SendMessageW(form.CK_CredentialManager(), BM_SETCHECK, BST_UNCHECKED, 0);  // the file's Pass
      PostClick(form.B_OK());
    }
    if (seen.className == L"#32770") {
      message = seen.text;
      formOpenAtMessage = IsWindowVisible(form.Handle()) != FALSE;
      WindowWatcher::Answer(window, IDOK);
      PostClick(form.B_Cancel());
    }
  });
  Click(editor.B_Add());
  EXPECT_EQ(message, L"パスワードを暗号化できませんでした。設定は変更されていません。");
  EXPECT_TRUE(formOpenAtMessage);
  EXPECT_EQ(settings.Count(), 0u);
}

// A line break pasted or handed in could split the setting's line in the file: the dialog refuses every control
// character in the name, the folder and the user name, and stays open.
TEST_F(SettingButtonTest, ControlCharactersAreRefusedInTheDialog) {
  for (const int field : {0, 1, 2}) {
    const Refusal refusal = AddRefused(field == 0 ? L"a\r\nb" : L"name", field == 1 ? L"\\\\srv\\s\tx" : L"\\\\srv\\s",
                                       field == 2 ? L"user\n" : L"user");
    ASSERT_EQ(refusal.messages.size(), 1u) << field;
    EXPECT_TRUE(refusal.messages[0].starts_with(L"名前、フォルダ、ユーザー名には改行などの制御文字を使えません。\r\n"))
        << field;
    EXPECT_TRUE(refusal.stillOpen);
  }
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"b", u"c"}));
}

// Only a share may be a button's Folder: a program, a URL or a folder of this PC is refused with what is
// accepted, and the dialog stays open.
TEST_F(SettingButtonTest, AFolderThatIsNoShareIsRefusedInTheDialog) {
  for (const wchar_t* folder : {L"C:\\windows\\x.exe", L"http://example.invalid/", L"notepad.exe", L"\\\\srv"}) {
    const Refusal refusal = AddRefused(L"name", folder, L"");
    ASSERT_EQ(refusal.messages.size(), 1u);
    EXPECT_NE(refusal.messages[0].find(L"\\\\サーバー名\\共有フォルダ名"), std::wstring::npos) << refusal.messages[0];
    EXPECT_TRUE(refusal.stillOpen);
  }
  EXPECT_EQ(Names(), (std::vector<Text>{u"a", u"b", u"c"}));
}

// Windows ending the session, or a polite close of the program (taskkill, the Restart Manager), while the
// editor is open with a row added: the row is saved as the editor's close would save it.
TEST_F(SettingButtonTest, AnEndFromOutsideSavesTheEditorsChanges) {
  struct Case {
    const char* name;
    std::function<void(TF_SettingButton& editor, TF_Main& main)> end;
    bool programEnds;
  };
  const Case cases[] = {
      {"log-off asks", [](TF_SettingButton& e, TF_Main&) { SendMessageW(e.Handle(), WM_QUERYENDSESSION, 0, 0); },
       false},
      {"log-off ends", [](TF_SettingButton& e, TF_Main&) { SendMessageW(e.Handle(), WM_ENDSESSION, TRUE, 0); }, false},
      {"close to the editor", [](TF_SettingButton& e, TF_Main&) { PostMessageW(e.Handle(), WM_CLOSE, 0, 0); }, false},
      {"close to the program", [](TF_SettingButton&, TF_Main& m) { PostMessageW(m.Handle(), WM_CLOSE, 0, 0); }, true},
  };
  const std::string before = testing::ReadSettingsFile();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    running_.reset();
    testing::WriteSettingsFile(before);
    running_ = std::make_unique<RunningApplication>();
    ASSERT_TRUE(running_->WaitForNetwork());
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window != editor().Handle()) return;
      RunSoon([&] {
        app().Settings.Append(ButtonSetting{u"new", u"", u"\\\\srv\\new", u"", u""});
        editor().RowsChanged();
        c.end(editor(), app().F_Main);
        // Left open by the end: closed here without saving, so that the check below fails instead of hanging.
        RunSoon([&] {
          if (editor().IsShowing() && !editor().Closing()) editor().EndModal(ModalResult::Cancel);
        });
      });
    });
    SendMessageW(app().F_Main.B_AddButton(), BM_CLICK, 0, 0);
    EXPECT_FALSE(editor().IsShowing());
    EXPECT_EQ(testing::ReadSettingsFile(), before + "new,,\\\\srv\\new,,\r\n");
    if (c.programEnds) {
      EXPECT_TRUE(running_->PumpUntil([&] { return app().F_Main.Handle() == nullptr; }, 3000));
    } else {
      EXPECT_NE(app().F_Main.Handle(), nullptr);
    }
  }
}

std::optional<std::wstring> RunValue() {
  wchar_t data[1024] = {};
  DWORD size = sizeof data;
  if (RegGetValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Velloway", RRF_RT_REG_SZ,
                   nullptr, data, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return std::wstring(data);
}

// The sign-in box writes and removes the Run value at once (the program's path in quotes, then /signin), and
// shows at each show whether the value is there, whoever changed it.
TEST_F(SettingButtonTest, TheSignInBoxWritesAndRemovesTheRunValueAndShowsIt) {
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Velloway");
  auto checked = [&] { return SendMessageW(editor().CK_SignIn(), BM_GETCHECK, 0, 0) == BST_CHECKED; };
  EXPECT_EQ(WindowText(editor().CK_SignIn()), L"Windows へのサインイン時に Velloway を起動する(&W)");
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);

  bool shownChecked = true;
  InEditor([&] {
    shownChecked = checked();
    SendMessageW(editor().CK_SignIn(), BM_CLICK, 0, 0);
  });
  EXPECT_FALSE(shownChecked);
  EXPECT_EQ(RunValue(), L"\"" + std::wstring(program) + L"\" /signin");

  InEditor([&] {
    shownChecked = checked();
    SendMessageW(editor().CK_SignIn(), BM_CLICK, 0, 0);
  });
  EXPECT_TRUE(shownChecked);
  EXPECT_EQ(RunValue(), std::nullopt);

  // Turned on elsewhere (Task Manager, a script): shown at the next show.
  const std::wstring outside = L"\"C:\\elsewhere\\Velloway.exe\" /signin";
  RegSetKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Velloway", REG_SZ,
                  outside.c_str(), static_cast<DWORD>((outside.size() + 1) * sizeof(wchar_t)));
  InEditor([&] { shownChecked = checked(); });
  EXPECT_TRUE(shownChecked);
  RegDeleteKeyValueW(HKEY_CURRENT_USER, L"Software\\Microsoft\\Windows\\CurrentVersion\\Run", L"Velloway");
}

// The desktop moved to a folder of the test's own while it lives, as an administrator may move it: the real
// one is the user's home under Wine.
class DesktopMoved {
 public:
  explicit DesktopMoved(const std::wstring& folder) {
    wchar_t value[1024] = {};
    DWORD size = sizeof(value);
    if (RegGetValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop", RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND,
                     nullptr, value, &size) == ERROR_SUCCESS) {
      old_ = value;
    }
    Set(folder);
  }
  ~DesktopMoved() {
    if (old_) {
      Set(*old_);
    } else {
      RegDeleteKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop");
    }
  }

 private:
  static constexpr const wchar_t* kShellFolders =
      L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\User Shell Folders";
  static void Set(const std::wstring& folder) {
    RegSetKeyValueW(HKEY_CURRENT_USER, kShellFolders, L"Desktop", REG_EXPAND_SZ, folder.c_str(),
                    static_cast<DWORD>((folder.size() + 1) * sizeof(wchar_t)));
  }
  std::optional<std::wstring> old_;
};

// What a .lnk holds, read back through the shell's own interface.
struct LinkRead {
  bool loaded = false;
  std::wstring target, arguments, icon, description;
  int iconIndex = -1;
};

LinkRead ReadLink(const std::wstring& path) {
  LinkRead read;
  const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  IShellLinkW* link = nullptr;
  if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                 reinterpret_cast<void**>(&link)))) {
    IPersistFile* file = nullptr;
    if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
      read.loaded = SUCCEEDED(file->Load(path.c_str(), STGM_READ));
      file->Release();
    }
    wchar_t text[INFOTIPSIZE] = {};
    if (read.loaded) {
      link->GetPath(text, MAX_PATH, nullptr, SLGP_RAWPATH);
      read.target = text;
      link->GetArguments(text, INFOTIPSIZE);
      read.arguments = text;
      link->GetIconLocation(text, MAX_PATH, &read.iconIndex);
      read.icon = text;
      link->GetDescription(text, INFOTIPSIZE);
      read.description = text;
    }
    link->Release();
  }
  if (SUCCEEDED(com)) CoUninitialize();
  return read;
}

// The NAME the link's command line gives the program, as the program itself reads it.
Text LinkedName(const std::wstring& arguments) {
  int count = 0;
  wchar_t** split = CommandLineToArgvW((L"Velloway.exe " + arguments).c_str(), &count);
  std::vector<Text> read;
  for (int i = 1; i < count; ++i) read.push_back(FromWide(split[i]));
  LocalFree(split);
  const ParsedCommand parsed = ParseCommandLine(read);
  return parsed.command.kind == CommandKind::Connect ? parsed.command.name : u"(" + parsed.error + u")";
}

TEST_F(SettingButtonTest, TheDesktopShortcutConnectsTheSelectedButtonAndNeverReplacesAFileOfItsName) {
  app().Settings.Append(ButtonSetting{u"経理", u"Z", u"\\\\srv\\keiri", u"", u""});
  app().Settings.Append(ButtonSetting{u"経理", u"", u"\\\\srv\\keiri2", u"", u""});
  editor().RowsChanged();
  const DesktopMoved moved(ToWide(testing::MakeScratchFolder()));
  const std::wstring desktop = ToWide(DesktopFolder());  // where the program finds it
  ASSERT_FALSE(desktop.empty());
  auto select = [&](int row) {
    if (row >= 0) Select(row);
    if (row < 0) ListView_SetItemState(editor().LV_Button(), -1, 0, LVIS_SELECTED);
  };
  auto create = [&] {
    WindowWatcher watcher;
    Click(editor().B_Shortcut());
    const auto boxes = watcher.MessageBoxes();
    return boxes.size() == 1 ? boxes[0].text : L"(" + std::to_wstring(boxes.size()) + L" messages)";
  };
  EXPECT_EQ(WindowText(editor().B_Shortcut()), L"デスクトップにショートカットを作成(&S)");

  select(-1);
  EXPECT_EQ(create(), L"ショートカットを作成するボタンを選択してください");

  // A file of the user's of that name, even one that is no link, stays as it is; the link takes the next name.
  const std::wstring users = desktop + L"\\経理.lnk";
  testing::WriteBytes(FromWide(users), "not a link");
  select(3);
  EXPECT_EQ(create(), L"デスクトップにショートカット「経理 (2).lnk」を作成しました。");
  EXPECT_EQ(testing::ReadBytes(FromWide(users)), std::optional<std::string>("not a link"));
  wchar_t program[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, program, MAX_PATH);
  LinkRead link = ReadLink(desktop + L"\\経理 (2).lnk");
  ASSERT_TRUE(link.loaded);
  EXPECT_EQ(link.target, program);
  EXPECT_EQ(link.arguments, L"/connect \"経理\"");
  EXPECT_EQ(link.icon, program);
  EXPECT_EQ(link.iconIndex, 0);
  EXPECT_EQ(link.description, L"\\\\srv\\keiri");
  EXPECT_EQ(LinkedName(link.arguments), u"経理");

  // The second button of that name: the next free name, naming it by its folder; the first link stays.
  select(4);
  EXPECT_EQ(create(), L"デスクトップにショートカット「経理 (3).lnk」を作成しました。");
  link = ReadLink(desktop + L"\\経理 (3).lnk");
  EXPECT_EQ(LinkedName(link.arguments), u"\\\\srv\\keiri2");
  EXPECT_EQ(link.description, L"\\\\srv\\keiri2");
  EXPECT_EQ(LinkedName(ReadLink(desktop + L"\\経理 (2).lnk").arguments), u"経理");
}

}  // namespace
}  // namespace velloway
