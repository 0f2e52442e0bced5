// The button settings editor and its edit dialog, through the real windows under Wine.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "UiHarness.h"
#include "U_crypto.h"
#include "WinText.h"

namespace velloway {
namespace {

using testing::RunningApplication;
using testing::WindowText;
using testing::WindowWatcher;

// A click as the button reports it to its window.
void Click(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}
void PostClick(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

class SettingButtonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::WriteSettingsFile("a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\nc,D,\\\\srv\\c,,\r\n");
    running_ = std::make_unique<RunningApplication>();
    ASSERT_TRUE(running_->PumpUntil([&] { return !running_->main().StartupTimerArmed(); }));
    editor().RowsChanged();  // as showing the editor does
  }
  void TearDown() override { running_.reset(); }

  Application& app() { return running_->app(); }
  TF_SettingButton& editor() { return app().F_SettingButton; }
  TF_SettingButtonForm& form() { return app().F_SettingButtonForm; }
  std::vector<Text> Names() {
    std::vector<Text> names;
    for (size_t i = 0; i < app().Settings.Count(); ++i) names.push_back(app().Settings.Name(i));
    return names;
  }
  void Select(int row) {
    ListView_SetItemState(editor().LV_Button(), -1, 0, LVIS_SELECTED);
    ListView_SetItemState(editor().LV_Button(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  std::wstring Cell(int row, int column) {
    wchar_t text[256] = {};
    ListView_GetItemText(editor().LV_Button(), row, column, text, 256);
    return text;
  }

  std::unique_ptr<RunningApplication> running_;
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
  const int widths[] = {200, 50, 400, 0, 1};
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
      SendMessageW(form().CB_Drive(), CB_SETCURSEL, 1, 0);  // "B"
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
  const std::string expectedStart = "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\nc,D,\\\\srv\\c,,\r\n\x90\x56\x8B\x4B,B,\\\\srv\\new,,";
  EXPECT_EQ(content.substr(0, expectedStart.size()), expectedStart);
  EXPECT_EQ(content.size(), expectedStart.size() + 32 + 2);  // the empty password's 32 digits and CR LF
}

// A save that fails keeps the editor open with its rows; Close works once the file can be written again.
TEST_F(SettingButtonTest, FailedSaveKeepsTheEditorOpenAndTheOldFile) {
  HANDLE holder = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  bool editorOpenAtError = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == editor().Handle() && holder != INVALID_HANDLE_VALUE) {
      Select(0);
      PostClick(editor().B_Delete());
      PostClick(editor().B_Close());
    }
    if (seen.className == L"#32770" && seen.caption == L"確認") WindowWatcher::Answer(window, IDYES);
    if (seen.className == L"#32770" && seen.caption != L"確認") {
      editorOpenAtError = IsWindowVisible(editor().Handle()) != FALSE;
      WindowWatcher::Answer(window, IDOK);
      CloseHandle(holder);
      holder = INVALID_HANDLE_VALUE;
      PostClick(editor().B_Close());
    }
  });
  Click(running_->main().B_AddButton());
  EXPECT_TRUE(editorOpenAtError);
  const auto boxes = watcher.MessageBoxes();
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_NE(boxes[1].text.find(testing::SettingsFilePath()), std::wstring::npos);
  EXPECT_FALSE(IsWindowVisible(editor().Handle()));
  EXPECT_EQ(running_->main().ConnectButtons().size(), 2u);
}

}  // namespace
}  // namespace velloway
