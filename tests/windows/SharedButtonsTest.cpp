// Buttons the administrator hands out: where they come from (the policy value under HKLM, then HKCU; one path or
// several, on a file server too; the file beside the program), first in the main window and read-only in the editor,
// never slowing or breaking the user's own buttons, and the copy of the last good read when the file is out of reach.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "SettingsFileFixture.h"
#include "StandInDrives.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "core/SharedButtons.h"
#include "core/Unicode.h"
#include "platform/SharedButtonSources.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"
#include "platform/WindowsSignInStart.h"

namespace velloway {
namespace {

using testing::Click;
using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

std::wstring TestFolder() { return testing::TestApplicationDataFolder(); }

std::wstring WriteShared(const std::wstring& name, const std::string& bytes) {
  const std::wstring path = TestFolder() + L"\\" + name;
  CreateDirectoryW(TestFolder().c_str(), nullptr);
  testing::WriteBytes(FromWide(path.c_str()), bytes);
  return path;
}

void SetPolicy(HKEY root, DWORD type, const std::wstring& data) {
  HKEY key = nullptr;
  ASSERT_EQ(RegCreateKeyExW(root, kSharedButtonsPolicyKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
            ERROR_SUCCESS);
  // data holds its own nulls for REG_MULTI_SZ; one more ends it.
  RegSetValueExW(key, kSharedButtonsPolicyValue, 0, type, reinterpret_cast<const BYTE*>(data.c_str()),
                 static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(key);
}

void ClearPolicies() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) RegDeleteKeyW(root, kSharedButtonsPolicyKey);
}

std::wstring BesideProgram() {
  const Text program = ProgramPath();
  return ToWide(program.substr(0, program.rfind(u'\\') + 1)) + L"vlw-shared.ini";
}

std::wstring CopyPath() {
  const std::wstring settings = testing::SettingsFilePath();
  return settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-shared-copy.txt";
}

class SharedButtonsTest : public testing::StandInWindowTest {
 protected:
  void SetUp() override {
    ClearPolicies();
    DeleteFileW(BesideProgram().c_str());
    DeleteFileW(CopyPath().c_str());
  }
  void TearDown() override {
    StandInWindowTest::TearDown();
    ClearPolicies();
    DeleteFileW(BesideProgram().c_str());
    DeleteFileW(CopyPath().c_str());
  }
  // Starts the program and waits for the shared read to end.
  void StartAndRead(const StandInNetwork& network, const std::string& settings) {
    Start(network, settings);
    ASSERT_TRUE(running_->PumpUntil([&] { return !app().SharedWorker.Busy(); }, 10000));
    running_->PumpFor(50);
  }
  std::vector<std::wstring> Captions() {
    std::vector<std::wstring> captions;
    for (HWND button : main().ConnectButtons()) captions.push_back(WindowText(button));
    return captions;
  }
  std::wstring ListText(int row, int column) {
    wchar_t text[260] = {};
    ListView_GetItemText(editor().LV_Button(), row, column, text, 260);
    return text;
  }
  // Opens the editor, runs steps in it (message boxes are answered with OK and recorded), then closes it.
  std::vector<std::wstring> InEditor(const std::function<void()>& steps) {
    std::vector<std::wstring> messages;
    StandInWindowTest::InEditor(steps, [&](HWND window, const WindowWatcher::Seen& seen) {
      if (seen.className != L"#32770") return;
      messages.push_back(seen.text);
      WindowWatcher::Answer(window, IDOK);
    });
    return messages;
  }
};

const std::string kOwn = "mine,M,\\\\nas\\mine,,\r\n";

// The first source that names something wins: HKLM before HKCU before the file beside the program. Several files
// of one value are read in order; environment variables are expanded in the paths and in Folder and ID.
TEST_F(SharedButtonsTest, TheFirstSourceWinsAndItsFilesComeFirstInOrder) {
  SetEnvironmentVariableW(L"VELLOWAY_TEST_FOLDER", TestFolder().c_str());
  SetEnvironmentVariableW(L"VELLOWAY_TEST_USER", L"taro");
  const std::wstring a = WriteShared(L"a.ini", "経理,K,\\\\fs\\keiri\r\n");
  // The second on a file server: the stand-in's share \\fs01\it is a folder of the prefix.
  const std::wstring b = L"\\\\fs01\\it\\vlw-shared.ini";
  testing::WriteBytes(FromWide((standin::MakeShareFolder(L"\\\\fs01\\it") + L"\\vlw-shared.ini").c_str()),
                      "総務,,\\\\fs\\soumu\r\nhome,H,\\\\fs\\home\\%VELLOWAY_TEST_USER%\r\n");
  WriteShared(L"c.ini", "hkcu,,\\\\fs\\hkcu\r\n");
  struct Case {
    const char* name;
    std::function<void()> arrange;
    std::vector<std::wstring> captions;
  };
  const std::vector<Case> cases = {
      {"none: only the own buttons", [] {}, {L"mine"}},
      {"the file beside the program",
       [] { testing::WriteBytes(FromWide(BesideProgram().c_str()), "beside,,\\\\fs\\beside\r\n"); },
       {L"beside", L"mine"}},
      {"HKCU before the file beside the program, with a variable in the path",
       [] { SetPolicy(HKEY_CURRENT_USER, REG_EXPAND_SZ, L"%VELLOWAY_TEST_FOLDER%\\c.ini"); },
       {L"hkcu", L"mine"}},
      {"HKLM before HKCU, two files in order",
       [&] { SetPolicy(HKEY_LOCAL_MACHINE, REG_MULTI_SZ, a + L'\0' + b + L'\0'); },
       {L"経理", L"総務", L"home", L"mine"}},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    c.arrange();
    StartAndRead(StandInNetwork(), kOwn);
    EXPECT_EQ(Captions(), c.captions);
    running_.reset();
  }
  // The last case's variable in Folder, as the tooltip and the status show it.
  StartAndRead(StandInNetwork(), kOwn);
  ASSERT_EQ(app().Shared.size(), 3u);
  EXPECT_EQ(app().Shared[2].row.Folder, u"\\\\fs\\home\\taro");
}

// A password in the shared file is never used, and the status line says so; in the editor the shared rows come
// first, marked, and cannot be edited, deleted or moved; a copy is the user's own. vlw.ini keeps its bytes
// until a copy is made, and no password is written for a shared button.
TEST_F(SharedButtonsTest, SharedRowsAreReadOnlyInTheEditorAndCanBeCopied) {
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri,taro,0A1B2C3D,auto\r\n"));
  StartAndRead(StandInNetwork(), kOwn);
  EXPECT_EQ(main().StatusText(),
            u"管理者のボタンの設定ファイルにパスワードが書かれていますが、使いません（そのファイルを読める人すべてに見"
            u"えるため）");
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理", L"mine"}));
  // The shared button carries the administrator's mark beside its state's; the own one the plain mark. The
  // badge's marks are made once the shared file brought a button for them, after the own buttons.
  for (size_t i : {0u, 1u}) {
    BUTTON_IMAGELIST mark{};
    SendMessageW(main().ConnectButtons().at(i), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&mark));
    const ButtonState state = main().ConnectButtonStatus(i).state;
    ASSERT_NE(main().StateMark(state, i == 0), nullptr) << i;
    EXPECT_EQ(mark.himl, main().StateMark(state, i == 0)) << i;
  }
  EXPECT_NE(main().StateMark(ButtonState::NotConnected, true), main().StateMark(ButtonState::NotConnected));
  ASSERT_TRUE(app().Shared.at(0).row.Pass.empty());
  EXPECT_TRUE(app().Shared.at(0).autoConnect);

  std::vector<std::wstring> shown;
  const std::vector<std::wstring> messages = InEditor([&] {
    shown = {ListText(0, 0), ListText(0, 2), ListText(0, 4), ListText(1, 0)};
    Select(0);
    Click(editor().B_Edit());
    Click(editor().B_Delete());
    Click(editor().B_Down());
    Select(1);
    Click(editor().B_Up());  // the own row stays below the shared one
  });
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"［管理］経理", L"\\\\fs\\keiri", L"", L"mine"}));
  ASSERT_EQ(messages.size(), 3u);
  for (const std::wstring& message : messages) EXPECT_TRUE(message.starts_with(L"管理者が配布したボタンは")) << message;
  EXPECT_EQ(testing::ReadSettingsFile(), kOwn);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理", L"mine"}));

  InEditor([&] {
    Select(0);
    Click(editor().B_Copy());
  });
  // In the ANSI code page, as every own row; without a password.
  EXPECT_EQ(testing::ReadSettingsFile(), kOwn + "\x8C\x6F\x97\x9D,K,\\\\fs\\keiri,taro,\r\n");
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理", L"mine", L"経理"}));
  EXPECT_TRUE(app().AutoConnects.Contains(app().Settings.Row(1)));
}

// A click on a shared button with a user name asks for the password in the dialog and never offers to keep it.
TEST_F(SharedButtonsTest, AClickOnASharedButtonConnectsWithATypedPasswordThatIsNotKept) {
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri,taro\r\n"));
  StartAndRead(StandInNetwork().AddAccountShare(u"\\\\fs\\keiri", u"taro", u"pw"), kOwn);
  std::wstring shownPassword = L"(not shown)";
  int questions = 0;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == dialog().Handle()) {
      shownPassword = WindowText(dialog().E_Pass());
      SetWindowTextW(dialog().E_Pass(), L"pw");
      PostClick(dialog().B_Ok());
    } else if (seen.className == L"#32770") {
      ++questions;
      WindowWatcher::Answer(window, IDYES);
    }
  });
  SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(shownPassword, L"");
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_EQ(questions, 0);
  EXPECT_EQ(testing::ReadSettingsFile(), kOwn);
  EXPECT_EQ(shell_.targets, std::vector<Text>{u"K:\\"});
}

// Out of reach: the copy of the last good read stands in, and the status line says from when; without a copy
// there are no shared buttons and one status line. A damaged file never costs the own buttons.
TEST_F(SharedButtonsTest, AnUnreachableFileFallsBackToTheCopyAndADamagedOneToWhatItHolds) {
  const std::wstring path = WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri\r\n");
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, path);
  StartAndRead(StandInNetwork(), kOwn);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理", L"mine"}));
  running_.reset();

  DeleteFileW(path.c_str());
  StartAndRead(StandInNetwork(), kOwn);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理", L"mine"}));
  const Text status = main().StatusText();
  EXPECT_TRUE(status.starts_with(u"管理者のボタン（" + FromWide(path) + u"）を読み込めないため、"))
      << EncodeUtf8(status);
  EXPECT_TRUE(status.ends_with(u" に読み込んだ写しを使っています")) << EncodeUtf8(status);
  running_.reset();

  DeleteFileW(CopyPath().c_str());
  StartAndRead(StandInNetwork(), kOwn);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"mine"}));
  EXPECT_EQ(main().StatusText(), u"管理者のボタン（" + FromWide(path) + u"）を読み込めませんでした");
  running_.reset();

  WriteShared(L"s.ini", std::string("\xEF\xBB\xBF") + "ok,,\\\\fs\\ok\r\n\x01\xFF\xFE,\"unclosed\r\n,,\r\n");
  StartAndRead(StandInNetwork(), kOwn);
  ASSERT_FALSE(Captions().empty());
  EXPECT_EQ(Captions().front(), L"ok");
  EXPECT_EQ(Captions().back(), L"mine");
}

// A shared file that does not answer (a pipe that never writes, as a server that never answers): the own buttons
// are there at once, and after the time limit the copy stands in.
TEST_F(SharedButtonsTest, AFileThatDoesNotAnswerNeverHoldsTheOwnButtons) {
  const std::wstring pipeName = L"\\\\.\\pipe\\velloway-shared-test";
  HANDLE pipe =
      CreateNamedPipeW(pipeName.c_str(), PIPE_ACCESS_OUTBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  SharedButtons earlier{{{u"写し", u"", u"\\\\fs\\copy", u"", u""}, false}};
  CreateDirectoryW(TestFolder().c_str(), nullptr);
  testing::WriteSettingsFile(kOwn);
  testing::WriteBytes(FromWide(CopyPath().c_str()), FormatSharedCopy(u"2026-12-10 08:00:00", earlier));
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, pipeName);

  Start(StandInNetwork(), kOwn);
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"mine"}));
  EXPECT_TRUE(app().SharedWorker.Busy()) << "the read ended at once: the test shows nothing";
  ASSERT_TRUE(running_->PumpUntil([&] { return !app().SharedWorker.Busy(); }, 10000));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"写し", L"mine"}));
  EXPECT_EQ(main().StatusText(), u"管理者のボタン（" + FromWide(pipeName) +
                                     u"）を読み込めないため、2026-12-10 08:00:00 に読み込んだ写しを使っています");
  CloseHandle(pipe);  // the given-up read returns
  ASSERT_TRUE(running_->PumpUntil([&] { return !app().SharedWorker.InCall(); }, 5000));
}

// A source that never answers, as a server that never does: a named pipe of several instances, each taking one
// reader and never writing. It counts the reads that reached it.
class HangingSource {
 public:
  explicit HangingSource(const std::wstring& name) {
    for (Instance& instance : instances_) {
      instance.pipe.reset(CreateNamedPipeW(name.c_str(), PIPE_ACCESS_OUTBOUND | FILE_FLAG_OVERLAPPED,
                                           PIPE_TYPE_BYTE | PIPE_WAIT, PIPE_UNLIMITED_INSTANCES, 4096, 4096, 0,
                                           nullptr));
      instance.connected.reset(CreateEventW(nullptr, TRUE, FALSE, nullptr));
      if (!instance.pipe || !instance.connected) throw std::runtime_error("no pipe");
      instance.overlapped.hEvent = instance.connected.get();
      if (!ConnectNamedPipe(instance.pipe.get(), &instance.overlapped) && GetLastError() != ERROR_IO_PENDING) {
        throw std::runtime_error("the pipe does not listen");
      }
    }
  }
  // The waits for a reader are ended before their OVERLAPPED goes.
  ~HangingSource() {
    for (Instance& instance : instances_) {
      if (!instance.pipe) continue;
      CancelIoEx(instance.pipe.get(), &instance.overlapped);
      DWORD ignored = 0;
      GetOverlappedResult(instance.pipe.get(), &instance.overlapped, &ignored, TRUE);
    }
  }
  HangingSource(const HangingSource&) = delete;
  HangingSource& operator=(const HangingSource&) = delete;

  int Reads() const {
    int reads = 0;
    for (const Instance& instance : instances_)
      reads += WaitForSingleObject(instance.connected.get(), 0) == WAIT_OBJECT_0;
    return reads;
  }
  // The reads that hang return, failing.
  void AnswerAll() {
    for (Instance& instance : instances_) {
      if (WaitForSingleObject(instance.connected.get(), 0) == WAIT_OBJECT_0) instance.pipe.reset();
    }
  }

 private:
  struct Instance {
    UniqueFileHandle pipe;
    UniqueHandle connected;  // set once a reader came; stays set
    OVERLAPPED overlapped{};
  };
  std::array<Instance, 8> instances_;
};

// While a given-up read of a source that does not answer still hangs, a refresh reads nothing new and the
// buttons stay as they are; once that read returns, the source is read again.
TEST_F(SharedButtonsTest, ARefreshStartsNoSecondReadWhileAGivenUpOneHangs) {
  const std::wstring pipeName = L"\\\\.\\pipe\\velloway-shared-hanging";
  HangingSource source(pipeName);
  SharedButtons earlier{{{u"写し", u"", u"\\\\fs\\copy", u"", u""}, false}};
  CreateDirectoryW(TestFolder().c_str(), nullptr);
  testing::WriteSettingsFile(kOwn);
  testing::WriteBytes(FromWide(CopyPath().c_str()), FormatSharedCopy(u"2026-12-10 08:00:00", earlier));
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, pipeName);
  auto idle = [&] { return !app().Worker.Busy() && !app().SharedWorker.Busy(); };

  StartAndRead(StandInNetwork(), kOwn);
  ASSERT_EQ(source.Reads(), 1);
  for (int refresh = 0; refresh < 2; ++refresh) {
    Click(main().B_ConnectionSearch());
    ASSERT_TRUE(running_->PumpUntil(idle, 10000));
  }
  EXPECT_EQ(source.Reads(), 1);
  EXPECT_TRUE(app().SharedWorker.InCall());
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"写し", L"mine"}));

  source.AnswerAll();
  EXPECT_TRUE(running_->PumpUntil([&] { return source.Reads() == 2; }, 10000)) << source.Reads();
  source.AnswerAll();
  ASSERT_TRUE(running_->PumpUntil([&] { return !app().SharedWorker.InCall(); }, 10000));
}

// A shared button that went away after this program connected it: the user may close that connection; a
// connection made outside the program to the same share is left alone.
TEST_F(SharedButtonsTest, AGoneButtonsConnectionMadeHereMayBeClosed) {
  const std::wstring path = WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri\r\n総務,S,\\\\fs\\soumu\r\n");
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, path);
  StartAndRead(
      StandInNetwork().AddShare(u"\\\\fs\\keiri").AddShare(u"\\\\fs\\soumu").AddConnection(u"S:", u"\\\\fs\\soumu"),
      kOwn);
  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  WriteShared(L"s.ini", "");
  std::vector<std::wstring> questions;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (seen.className != L"#32770") return;
    questions.push_back(seen.text);
    WindowWatcher::Answer(window, IDYES);
  });
  Click(main().B_ConnectionSearch());
  ASSERT_TRUE(running_->PumpUntil([&] { return !questions.empty() && !app().Worker.Busy(); }, 10000));
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(questions, (std::vector<std::wstring>{
                           L"管理者がボタン【経理】を変更または削除しました。このボタンで接続した K: を閉じますか？"}));
  EXPECT_EQ(StandInNetwork::CurrentConnections(), (std::vector<StandInNetwork::Connection>{{u"S:", u"\\\\fs\\soumu"}}));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"mine"}));
}

// A shared button's refused auto-connect stays refused when the administrator's file is read anew and changed: the
// rebuild sends nothing.
TEST_F(SharedButtonsTest, ARefusedAutoConnectIsNotSentAgainWhenTheFileChanges) {
  const std::wstring refusals = CopyPath().substr(0, CopyPath().rfind(L'\\')) + L"\\vlw-auto-refused.txt";
  DeleteFileW(refusals.c_str());
  const std::wstring path = WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri,,,auto\r\n");
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, path);
  StandInNetwork network;
  network.AddShare(u"\\\\fs\\keiri", 5).AddShare(u"\\\\fs\\soumu");  // ERROR_ACCESS_DENIED
  StartAndRead(network, kOwn);
  ASSERT_TRUE(running_->PumpUntil(
      [&] { return !app().AutoWorker.Busy() && main().ConnectButtonStatus(0).state == ButtonState::NeedsCheck; },
      10000));
  EXPECT_EQ(StandInNetwork::Attempts().size(), 1u);
  network.Save();

  WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri,,,auto\r\n総務,S,\\\\fs\\soumu\r\n");
  Click(main().B_ConnectionSearch());
  ASSERT_TRUE(running_->PumpUntil([&] { return Captions().size() == 3 && !app().SharedWorker.Busy(); }, 10000));
  running_->PumpFor(500);
  ASSERT_TRUE(running_->PumpUntil([&] { return !app().AutoWorker.Busy(); }, 10000));
  EXPECT_TRUE(StandInNetwork::Attempts().empty());
  EXPECT_EQ(main().ConnectButtonStatus(0).state, ButtonState::NeedsCheck);
  DeleteFileW(refusals.c_str());
}

// vlw.ini held by another program: its error is reported, and the rest loads all the same: the shared buttons and
// the file of the buttons that connect by themselves.
TEST_F(SharedButtonsTest, AHeldSettingsFileStillLoadsTheSharedButtonsAndTheSideFiles) {
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri\r\n"));
  testing::WriteSettingsFile(kOwn);
  const std::wstring autoFile = CopyPath().substr(0, CopyPath().rfind(L'\\')) + L"\\vlw-auto.txt";
  testing::WriteBytes(FromWide(autoFile.c_str()), "M\t\\\\nas\\mine\r\n");
  HANDLE held = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  StandInNetwork().AddShare(u"\\\\fs\\keiri").Save();
  WindowWatcher watcher;  // the load's error, answered with OK
  running_ = std::make_unique<testing::RunningApplication>(&shell_);
  EXPECT_TRUE(running_->PumpUntil([&] { return !watcher.MessageBoxes().empty(); }));
  ASSERT_TRUE(running_->WaitForNetwork());
  ASSERT_TRUE(running_->PumpUntil([&] { return !app().SharedWorker.Busy() && Captions().size() == 1; }, 10000));
  EXPECT_EQ(Captions(), (std::vector<std::wstring>{L"経理"}));
  EXPECT_FALSE(app().AutoConnects.Empty());
  running_.reset();
  CloseHandle(held);
  DeleteFileW(autoFile.c_str());
}

// A refresh that starts while the first question is open (a drive came or went elsewhere) keeps the offer: the
// question is asked again once the refresh is done, and the next connection's after it.
TEST_F(SharedButtonsTest, TheOfferToCloseOutlastsARefreshThatStartsMeanwhile) {
  const std::wstring path = WriteShared(L"s.ini", "経理,K,\\\\fs\\keiri\r\n総務,S,\\\\fs\\soumu\r\n");
  SetPolicy(HKEY_CURRENT_USER, REG_SZ, path);
  StartAndRead(StandInNetwork().AddShare(u"\\\\fs\\keiri").AddShare(u"\\\\fs\\soumu"), kOwn);
  for (size_t button : {0u, 1u}) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(button), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  ASSERT_EQ(StandInNetwork::CurrentConnections().size(), 2u);
  WriteShared(L"s.ini", "");
  std::vector<std::wstring> questions;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (seen.className != L"#32770") return;
    questions.push_back(seen.text);
    if (questions.size() == 1) SendMessageW(main().Handle(), WM_DEVICECHANGE, 0x8000 /* DBT_DEVICEARRIVAL */, 0);
    WindowWatcher::Answer(window, IDYES);
  });
  Click(main().B_ConnectionSearch());
  ASSERT_TRUE(running_->PumpUntil([&] { return StandInNetwork::CurrentConnections().empty(); }, 15000))
      << ::testing::PrintToString(questions);
  ASSERT_TRUE(running_->WaitForNetwork());
  const std::wstring keiri = L"管理者がボタン【経理】を変更または削除しました。このボタンで接続した K: を閉じますか？";
  const std::wstring soumu = L"管理者がボタン【総務】を変更または削除しました。このボタンで接続した S: を閉じますか？";
  EXPECT_EQ(questions, (std::vector<std::wstring>{keiri, keiri, soumu}));
}

}  // namespace
}  // namespace velloway
