// Saving the settings while another program or another Velloway changes the file, and saving when the
// program is asked to end with the editor open: real windows and the real file system under Wine.
#include <windows.h>
#include <gtest/gtest.h>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "UiHarness.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::PostClick;
using testing::RunningApplication;
using testing::SettingsFilePath;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

const std::string kAtStart = "a,Z,\\\\srv\\a,,\r\n";
// What another Velloway's save leaves: the file as read plus its own new button.
const std::string kOutside = kAtStart + "other,,\\\\srv\\other,,\r\n";
// The editor's list once the test's row (新規 in the ANSI code page) is added.
const std::string kMine = kAtStart + "\x90\x56\x8B\x4B,,\\\\srv\\new,,\r\n";

std::optional<std::string> Bytes(const std::wstring& path) { return testing::ReadBytes(FromWide(path.c_str())); }

FILETIME WriteTime(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  EXPECT_TRUE(GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data));
  return data.ftLastWriteTime;
}

bool SameTime(const FILETIME& a, const FILETIME& b) {
  return a.dwLowDateTime == b.dwLowDateTime && a.dwHighDateTime == b.dwHighDateTime;
}

class SaveConflictTest : public testing::StandInWindowTest {
 protected:
  void Start() {
    running_.reset();
    for (const wchar_t* suffix : {L".bak", L".bak2"}) DeleteFileW((SettingsFilePath() + suffix).c_str());
    StandInWindowTest::Start(StandInNetwork(), kAtStart);
  }

  void AddMyRow() {
    app().Settings.Append(ButtonSetting{u"新規", u"", u"\\\\srv\\new", u"", u""});
    editor().RowsChanged();
  }
  std::vector<std::wstring> ButtonTexts() {
    std::vector<std::wstring> texts;
    for (HWND button : running_->main().ConnectButtons()) texts.push_back(WindowText(button));
    return texts;
  }
};

// Another Velloway saved while this one's editor had a new row: the user is shown both sides and chooses;
// the side not kept is in vlw.ini.bak in exact bytes, and Cancel goes back to editing with nothing written.
TEST_F(SaveConflictTest, OutsideChangeWhileEditingAsksAndKeepsTheOtherSideInABackup) {
  struct Case {
    int answer;
    std::string file;
    std::string backup;
    std::vector<std::wstring> buttons;
  };
  const Case cases[] = {
      {IDYES, kMine, kOutside, {L"a", L"新規"}},
      {IDNO, kOutside, kMine, {L"a", L"other"}},
      {IDCANCEL, kMine, kOutside, {L"a", L"新規"}},  // then closed again and kept
  };
  const std::wstring file = SettingsFilePath();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.answer);
    Start();
    std::wstring question;
    std::wstring told;
    int questions = 0;
    bool cancelLeftAllAlone = false;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == editor().Handle() && app().Settings.Count() == 1) {
        AddMyRow();
        testing::WriteSettingsFile(kOutside);
        PostClick(editor().B_Close());
      }
      if (seen.className != L"#32770") return;
      if (seen.caption == L"確認") {
        question = seen.text;
        if (++questions == 2) {
          cancelLeftAllAlone = IsWindowVisible(editor().Handle()) && Bytes(file) == kOutside &&
                               !Bytes(file + L".bak").has_value() && app().Settings.Count() == 2;
        }
        const int answer = questions == 1 ? test.answer : IDYES;
        WindowWatcher::Answer(window, answer);
        if (answer == IDCANCEL) PostClick(editor().B_Close());
      } else {
        told = seen.text;
        WindowWatcher::Answer(window, IDOK);
      }
    });
    PostClick(running_->main().B_AddButton());
    ASSERT_TRUE(running_->PumpUntil([&] { return !told.empty() && !editor().IsShowing(); }));
    EXPECT_EQ(questions, test.answer == IDCANCEL ? 2 : 1);
    if (test.answer == IDCANCEL) {
      EXPECT_TRUE(cancelLeftAllAlone);
    }
    EXPECT_NE(question.find(L"ファイルにだけあるボタン:\r\n　other（\\\\srv\\other）"), std::wstring::npos);
    EXPECT_NE(question.find(L"この画面にだけあるボタン:\r\n　新規（\\\\srv\\new）"), std::wstring::npos);
    EXPECT_NE(told.find(file + L".bak"), std::wstring::npos);
    EXPECT_EQ(Bytes(file), test.file);
    EXPECT_EQ(Bytes(file + L".bak"), test.backup);
    EXPECT_EQ(ButtonTexts(), test.buttons);
  }
}

// Closing the editor with its rows as read writes nothing; a file changed meanwhile then simply becomes the
// buttons, without a question.
TEST_F(SaveConflictTest, CloseWithNothingChangedWritesNothingAndTakesAnOutsideChange) {
  const std::wstring file = SettingsFilePath();
  for (const bool changedOutside : {false, true}) {
    SCOPED_TRACE(changedOutside);
    Start();
    if (changedOutside) testing::WriteSettingsFile(kOutside);
    const FILETIME before = WriteTime(file);
    Sleep(20);  // so that a write would show in the modification time
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == editor().Handle()) PostClick(editor().B_Close());
    });
    PostClick(running_->main().B_AddButton());
    ASSERT_TRUE(running_->PumpUntil([&] { return watcher.SeenWindows().size() > 0 && !editor().IsShowing(); }));
    EXPECT_TRUE(watcher.MessageBoxes().empty());
    EXPECT_EQ(Bytes(file), changedOutside ? kOutside : kAtStart);
    EXPECT_TRUE(SameTime(WriteTime(file), before));
    EXPECT_FALSE(Bytes(file + L".bak").has_value());
    EXPECT_EQ(ButtonTexts(),
              changedOutside ? (std::vector<std::wstring>{L"a", L"other"}) : (std::vector<std::wstring>{L"a"}));
  }
}

// Log-off and a polite close (the Restart Manager, taskkill) with a new row in the open editor: the row is
// saved as the editor's Close saves it, whichever top-level window the message goes to.
TEST_F(SaveConflictTest, EndOfSessionAndPoliteCloseSaveTheOpenEditor) {
  enum class Target { Editor, Main };
  struct Case {
    const char* what;
    Target target;
    bool query;    // WM_QUERYENDSESSION first, its answer checked
    UINT message;  // then this
    bool mainEnds;
  };
  const Case cases[] = {
      {"WM_CLOSE to the editor", Target::Editor, false, WM_CLOSE, false},
      {"WM_CLOSE to the main window", Target::Main, false, WM_CLOSE, true},
      {"log-off, main window", Target::Main, true, WM_ENDSESSION, false},
      {"log-off, editor", Target::Editor, true, WM_ENDSESSION, false},
      {"WM_ENDSESSION alone", Target::Main, false, WM_ENDSESSION, false},
  };
  const std::wstring file = SettingsFilePath();
  for (const Case& test : cases) {
    SCOPED_TRACE(test.what);
    Start();
    LRESULT queryAnswer = -1;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window != editor().Handle() || app().Settings.Count() != 1) return;
      AddMyRow();
      testing::RunSoon([&] {
        HWND target = test.target == Target::Editor ? editor().Handle() : running_->main().Handle();
        if (test.query) queryAnswer = SendMessageW(target, WM_QUERYENDSESSION, 0, 0);
        if (test.message == WM_CLOSE) {
          PostMessageW(target, WM_CLOSE, 0, 0);
        } else {
          SendMessageW(target, WM_ENDSESSION, TRUE, 0);
        }
      });
    });
    PostClick(running_->main().B_AddButton());
    ASSERT_TRUE(running_->PumpUntil([&] { return app().Settings.Count() == 2 && !editor().IsShowing(); }));
    if (test.query) {
      EXPECT_EQ(queryAnswer, TRUE);
    }
    EXPECT_EQ(Bytes(file), kMine);
    EXPECT_TRUE(watcher.MessageBoxes().empty());
    EXPECT_EQ(running_->main().Handle() == nullptr || !IsWindow(running_->main().Handle()), test.mainEnds);
  }
}

// With the editor closed, ending changes nothing: nothing is saved at exit.
TEST_F(SaveConflictTest, EndOfSessionWithTheEditorClosedWritesNothing) {
  Start();
  const std::wstring file = SettingsFilePath();
  const FILETIME before = WriteTime(file);
  app().Settings.Append(ButtonSetting{u"unsaved", u"", u"\\\\srv\\u", u"", u""});
  EXPECT_EQ(SendMessageW(running_->main().Handle(), WM_QUERYENDSESSION, 0, 0), TRUE);
  SendMessageW(running_->main().Handle(), WM_ENDSESSION, TRUE, 0);
  SendMessageW(running_->main().Handle(), WM_CLOSE, 0, 0);
  EXPECT_EQ(Bytes(file), kAtStart);
  EXPECT_TRUE(SameTime(WriteTime(file), before));
}

}  // namespace
}  // namespace velloway
