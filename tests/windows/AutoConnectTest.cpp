// Buttons that connect by themselves, through the real windows and the stand-in network: the editor's box and
// the file beside vlw.ini, the attempts at start and when the network comes back, a refusal never repeated,
// and the user's clicks never waiting behind an automatic attempt.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <optional>
#include <string>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "core/U_crypto.h"
#include "core/Unicode.h"
#include "platform/WinText.h"
#include "platform/WindowsCredentialStore.h"

namespace velloway {
namespace {

using testing::Click;
using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowWatcher;

std::wstring AutoFilePath() {
  const std::wstring settings = testing::SettingsFilePath();
  return settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-auto.txt";
}

// Written before the program starts, as an earlier run would have left it.
void WriteAutoFile(const std::string& bytes) {
  const std::wstring path = AutoFilePath();
  CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  testing::WriteBytes(FromWide(path.c_str()), bytes);
}

std::wstring RefusalsFilePath() {
  const std::wstring settings = testing::SettingsFilePath();
  return settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-auto-refused.txt";
}

std::string AutoFile() { return testing::ReadBytes(FromWide(AutoFilePath().c_str())).value_or("(no file)"); }

class AutoConnectTest : public testing::StandInWindowTest {
 protected:
  void SetUp() override {
    DeleteFileW(AutoFilePath().c_str());
    DeleteFileW(RefusalsFilePath().c_str());
  }
  void TearDown() override {
    StandInWindowTest::TearDown();
    DeleteFileW(AutoFilePath().c_str());
    DeleteFileW(RefusalsFilePath().c_str());
  }
  // Opens the editor, runs steps in it, and closes it (which saves); the edit dialog gets inForm, then OK, and a
  // question (the delete's) yes.
  void InEditor(const std::function<void()>& steps, const std::function<void()>& inForm = {}) {
    StandInWindowTest::InEditor(steps, [&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == form().Handle()) {
        if (inForm) inForm();
        PostClick(form().B_OK());
      } else if (seen.className == L"#32770") {
        WindowWatcher::Answer(window, IDYES);
      }
    });
  }
  void Tick(bool on) { SendMessageW(form().CK_AutoConnect(), BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }
  ButtonState StateOf(size_t button) { return main().ConnectButtonStatus(button).state; }
  // Waits for the automatic attempts to end.
  bool AutoIdle() {
    return running_->PumpUntil([&] { return !running_->app().AutoWorker.Busy(); }, 10000);
  }
};

// The box "サインイン時とネットワーク復帰時に自動接続する(&A)" goes to vlw-auto.txt, never to vlw.ini; it follows
// a move, a rename and a changed folder, and goes with its button.
TEST_F(AutoConnectTest, TheBoxIsKeptBesideVlwIniAndFollowsItsButton) {
  const std::string bytes = "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\n";
  Start(StandInNetwork(), bytes);
  std::wstring caption;
  bool shownTicked = true;
  InEditor(
      [&] {
        Select(0);
        Click(editor().B_Edit());
      },
      [&] {
        caption = testing::WindowText(form().CK_AutoConnect());
        shownTicked = SendMessageW(form().CK_AutoConnect(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        Tick(true);
      });
  EXPECT_EQ(caption, L"サインイン時とネットワーク復帰時に自動接続する(&A)");
  EXPECT_FALSE(shownTicked);  // off by default
  EXPECT_EQ(testing::ReadSettingsFile(), bytes);
  EXPECT_EQ(AutoFile(), "Z\t\\\\srv\\a\r\n");

  // Moved down and renamed: still on, and shown so.
  InEditor(
      [&] {
        Select(0);
        Click(editor().B_Down());
        Select(1);
        Click(editor().B_Edit());
      },
      [&] {
        shownTicked = SendMessageW(form().CK_AutoConnect(), BM_GETCHECK, 0, 0) == BST_CHECKED;
        SetWindowTextW(form().E_Name(), L"経理");
      });
  EXPECT_TRUE(shownTicked);
  EXPECT_EQ(AutoFile(), "Z\t\\\\srv\\a\r\n");

  // Another folder: the setting goes with it.
  InEditor(
      [&] {
        Select(1);
        Click(editor().B_Edit());
      },
      [&] { SetWindowTextW(form().E_Folder(), L"\\\\srv\\c"); });
  EXPECT_EQ(AutoFile(), "Z\t\\\\srv\\c\r\n");
  const std::string afterEdits = testing::ReadSettingsFile();

  // Off again: vlw.ini is as it was.
  InEditor(
      [&] {
        Select(1);
        Click(editor().B_Edit());
      },
      [&] { Tick(false); });
  EXPECT_EQ(AutoFile(), "");
  EXPECT_EQ(testing::ReadSettingsFile(), afterEdits);

  // On for b, then b deleted: its setting goes too.
  InEditor(
      [&] {
        Select(0);
        Click(editor().B_Edit());
      },
      [&] { Tick(true); });
  EXPECT_EQ(AutoFile(), "\t\\\\srv\\b\r\n");
  InEditor([&] {
    Select(0);
    Click(editor().B_Delete());
  });
  EXPECT_EQ(app().Settings.Count(), 1u);
  EXPECT_EQ(AutoFile(), "");
}

// At start, an auto-connect button whose server cannot be reached waits (and says so); when the network comes
// back (here a resume from sleep, as Windows announces it) it connects by itself, without opening anything.
TEST_F(AutoConnectTest, AButtonWaitsForItsServerAndConnectsWhenTheNetworkComesBack) {
  WriteAutoFile("Z\t\\\\srv\\x\r\n");
  Start(StandInNetwork().AddShare(u"\\\\srv\\x", 53).AddShare(u"\\\\srv\\y"),
        "x,Z,\\\\srv\\x,,\r\ny,,\\\\srv\\y,,\r\n");
  ASSERT_TRUE(AutoIdle());
  running_->PumpFor(100);
  EXPECT_EQ(StateOf(0), ButtonState::Waiting);
  EXPECT_EQ(StateOf(1), ButtonState::NotConnected);  // not an auto-connect button
  EXPECT_TRUE(main().StatusText().starts_with(u"自動接続【x】: ")) << EncodeUtf8(main().StatusText());
  ASSERT_EQ(StandInNetwork::Attempts().size(), 1u);  // once at start; the retry is not due yet
  EXPECT_EQ(StandInNetwork::LastAttempt()->Remote, Text(u"\\\\srv\\x"));

  StandInNetwork().AddShare(u"\\\\srv\\x").AddShare(u"\\\\srv\\y").Save();
  SendMessageW(main().Handle(), WM_POWERBROADCAST, 0x12 /* PBT_APMRESUMEAUTOMATIC */, 0);
  // Once the network has settled, and not sooner than the first retry's delay after the attempt at start.
  ASSERT_TRUE(running_->PumpUntil([&] { return StateOf(0) == ButtonState::Connected; }, 25000));
  EXPECT_EQ(main().ConnectButtonStatus(0).local, u"Z:");
  EXPECT_EQ(main().StatusText(), u"自動接続【x】: 認証完了");
  EXPECT_TRUE(shell_.targets.empty());  // nothing opened
  // One attempt, and not remembered for the next sign-in (no CONNECT_UPDATE_PROFILE): no red cross later.
  EXPECT_EQ(StandInNetwork::Attempts(),
            (std::vector<StandInNetwork::Attempt>{{u"Z:", u"\\\\srv\\x", std::nullopt, std::nullopt, 0}}));
  EXPECT_EQ(StandInNetwork::CurrentConnections(), (std::vector<StandInNetwork::Connection>{{u"Z:", u"\\\\srv\\x"}}));
}

// A refused password is sent once: the button then shows 要確認 and is not tried again by itself, whatever
// comes; a click connects through the dialog as usual.
TEST_F(AutoConnectTest, ARefusedPasswordIsSentOnceAndThenOnlyByTheUser) {
  const Text key = u"Velloway:taro@\\\\srv\\k";
  WindowsCredentialStore credentials;
  ASSERT_EQ(credentials.Write(key, u"wrong"), 0u);
  WriteAutoFile("\t\\\\srv\\k\r\n");
  Start(StandInNetwork().AddAccountShare(u"\\\\srv\\k", u"taro", u"right"), "k,,\\\\srv\\k,taro,\r\n");
  ASSERT_TRUE(AutoIdle());
  running_->PumpFor(100);
  EXPECT_EQ(StateOf(0), ButtonState::NeedsCheck);
  ASSERT_EQ(StandInNetwork::Attempts().size(), 1u);
  EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"wrong"));

  // The network comes back, time passes: no second attempt.
  StandInNetwork().AddAccountShare(u"\\\\srv\\k", u"taro", u"right").Save();
  SendMessageW(main().Handle(), WM_POWERBROADCAST, 0x12, 0);
  SendMessageW(main().Handle(), WM_TIMER, 2, 0);
  ASSERT_TRUE(AutoIdle());
  EXPECT_TRUE(StandInNetwork::Attempts().empty());
  EXPECT_EQ(StateOf(0), ButtonState::NeedsCheck);

  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != dialog().Handle()) return;
    SetWindowTextW(dialog().E_Pass(), L"right");
    PostClick(dialog().B_Ok());
  });
  SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_EQ(StateOf(0), ButtonState::Connected);
  credentials.Delete(key);
}

// An automatic attempt on a server that takes 4 s runs apart: a click on another button meanwhile connects at
// once, while the attempt is still running.
TEST_F(AutoConnectTest, AClickNeverWaitsBehindAnAutomaticAttempt) {
  WriteAutoFile("\t\\\\srv\\slow\r\n");
  Start(StandInNetwork().AddShare(u"\\\\srv\\slow").SetDelay(u"\\\\srv\\slow", 4000).AddShare(u"\\\\nas\\fast"),
        "slow,,\\\\srv\\slow,,\r\nfast,,\\\\nas\\fast,,\r\n");
  ASSERT_TRUE(running_->PumpUntil([&] { return running_->app().AutoWorker.Busy(); }, 3000));
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == dialog().Handle()) PostClick(dialog().B_Ok());
  });
  SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_TRUE(running_->app().AutoWorker.Busy()) << "the click waited for the automatic attempt";
  ASSERT_TRUE(AutoIdle());
  running_->PumpFor(100);
  EXPECT_EQ(StateOf(0), ButtonState::Connected);
}

// The refusal is the button's until the user acts on it: editor visits without a change, another DPI and a new
// start send nothing (the file beside vlw.ini keeps it, without the password); an edit of the password is the user
// acting, and the new one is tried by itself.
TEST_F(AutoConnectTest, ARefusalOutlivesEditorVisitsADpiChangeAndARestart) {
  const Text key = u"Velloway:taro@\\\\srv\\k";
  WindowsCredentialStore credentials;
  ASSERT_EQ(credentials.Write(key, u"wrong"), 0u);
  WriteAutoFile("\t\\\\srv\\k\r\n");
  StandInNetwork network;
  network.AddAccountShare(u"\\\\srv\\k", u"taro", u"right");
  Start(network, "k,,\\\\srv\\k,taro,\r\n");
  ASSERT_TRUE(AutoIdle());
  ASSERT_EQ(StandInNetwork::Attempts().size(), 1u);
  network.Save();  // the attempts are counted from here

  for (int visit = 0; visit < 3; ++visit) InEditor([] {});
  testing::ChangeDpi(main(), 144);
  ASSERT_TRUE(AutoIdle());
  running_->PumpFor(300);
  EXPECT_TRUE(StandInNetwork::Attempts().empty());
  EXPECT_EQ(StateOf(0), ButtonState::NeedsCheck);

  running_.reset();
  running_ = std::make_unique<testing::RunningApplication>(&shell_);
  ASSERT_TRUE(running_->WaitForNetwork());
  ASSERT_TRUE(AutoIdle());
  running_->PumpFor(300);
  EXPECT_TRUE(StandInNetwork::Attempts().empty());
  EXPECT_EQ(StateOf(0), ButtonState::NeedsCheck);
  const std::string refusals = testing::ReadBytes(FromWide(RefusalsFilePath().c_str())).value_or("");
  EXPECT_TRUE(refusals.starts_with("\\\\srv\\k\ttaro\t")) << refusals;
  EXPECT_EQ(refusals.find("wrong"), std::string::npos);

  // A click whose dialog the user cancels changes nothing; one that sends the kept password again and is refused
  // leaves it refused for auto-connect too.
  for (const bool confirm : {false, true}) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) PostClick(confirm ? dialog().B_Ok() : dialog().B_Cancel());
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
    SendMessageW(main().Handle(), WM_POWERBROADCAST, 0x12, 0);
    running_->PumpFor(3500);
    ASSERT_TRUE(AutoIdle());
    EXPECT_EQ(StandInNetwork::Attempts().size(), confirm ? 1u : 0u) << confirm;  // the click's own, if any
    EXPECT_EQ(StateOf(0), ButtonState::NeedsCheck) << confirm;
    network.Save();
  }

  InEditor(
      [&] {
        Select(0);
        Click(editor().B_Edit());
      },
      [&] { SetWindowTextW(form().E_Pass(), L"right"); });
  ASSERT_TRUE(running_->PumpUntil([&] { return StateOf(0) == ButtonState::Connected; }, 10000));
  ASSERT_EQ(StandInNetwork::Attempts().size(), 1u);
  EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"right"));
  EXPECT_EQ(testing::ReadBytes(FromWide(RefusalsFilePath().c_str())).value_or(""), "");
  credentials.Delete(key);
}

// A connection the user closes stays closed: the network's return does not bring it back, the button shows 未接続
// with its hold in the tooltip, and the user's click connects it again and ends the hold.
TEST_F(AutoConnectTest, AConnectionTheUserClosesStaysClosedUntilTheUserClicks) {
  WriteAutoFile("Z\t\\\\srv\\x\r\n");
  Start(StandInNetwork().AddShare(u"\\\\srv\\x"), "x,Z,\\\\srv\\x,,\r\n");
  ASSERT_TRUE(running_->PumpUntil([&] { return StateOf(0) == ButtonState::Connected; }, 10000));
  ASSERT_EQ(main().ConnectionPanels().size(), 1u);

  Click(main().ConnectionPanels().at(0)->Strip().Button(1));  // 接続を閉じる
  ASSERT_TRUE(running_->PumpUntil([&] { return main().ConnectionPanels().empty(); }, 5000));
  SendMessageW(main().Handle(), WM_POWERBROADCAST, 0x12, 0);
  running_->PumpFor(4000);
  ASSERT_TRUE(AutoIdle());
  EXPECT_TRUE(StandInNetwork::CurrentConnections().empty());
  EXPECT_EQ(StateOf(0), ButtonState::NotConnected);
  EXPECT_TRUE(
      testing::HintAfterPointerEnters(main(), main().ConnectButtons().at(0)).ends_with(L"（自動接続を一時停止中）"));

  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == dialog().Handle()) PostClick(dialog().B_Ok());
  });
  SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(StateOf(0), ButtonState::Connected);
  EXPECT_FALSE(
      testing::HintAfterPointerEnters(main(), main().ConnectButtons().at(0)).ends_with(L"（自動接続を一時停止中）"));
}

// A burst of the network's messages (a flapping link, every adapter) is one pass once it is quiet, and a server that
// keeps failing is never tried sooner than its retry delay allows.
TEST_F(AutoConnectTest, ABurstOfNetworkChangesIsOnePassWithinTheRetryDelay) {
  WriteAutoFile("\t\\\\srv\\slow\r\n");
  StandInNetwork network;
  network.AddShare(u"\\\\srv\\slow", 121);  // ERROR_SEM_TIMEOUT: waits for the network
  Start(network, "slow,,\\\\srv\\slow,,\r\n");
  ASSERT_TRUE(AutoIdle());
  ASSERT_EQ(StandInNetwork::Attempts().size(), 1u);
  network.Save();
  for (int message = 0; message < 100; ++message) {
    SendMessageW(main().Handle(), WM_POWERBROADCAST, message % 2 == 0 ? 0x12 : 0x07, 0);
    running_->PumpFor(40);
  }
  running_->PumpFor(1000);
  ASSERT_TRUE(AutoIdle());
  EXPECT_TRUE(StandInNetwork::Attempts().empty());  // within 15 s of the attempt at start
  ASSERT_TRUE(running_->PumpUntil([&] { return !StandInNetwork::Attempts().empty(); }, 20000));
  running_->PumpFor(3000);
  EXPECT_EQ(StandInNetwork::Attempts().size(), 1u);
  EXPECT_EQ(StateOf(0), ButtonState::Waiting);
}

}  // namespace
}  // namespace velloway
