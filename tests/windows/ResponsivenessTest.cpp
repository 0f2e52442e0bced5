// The main window keeps answering while a slow server takes its time: a connect and a close run beside
// it, one network operation at a time, and end as they would without the wait; closing the window
// meanwhile ends the program cleanly.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <algorithm>
#include <string>
#include <vector>

#include "AnswerProbe.h"
#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::AnswerProbe;
using testing::Click;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

// As the operating system asks before it calls a window "not responding", but stricter.
constexpr DWORD kAnswerWithin = 200;
constexpr std::uint32_t kSlow = 3000;

int ThreadsOfThisProcess() {
  int count = 0;
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPTHREAD, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return -1;
  THREADENTRY32 entry{};
  entry.dwSize = sizeof entry;
  for (BOOL more = Thread32First(snapshot, &entry); more; more = Thread32Next(snapshot, &entry)) {
    if (entry.th32OwnerProcessID == GetCurrentProcessId()) ++count;
  }
  CloseHandle(snapshot);
  return count;
}

class ResponsivenessTest : public testing::StandInWindowTest {
 protected:
  NetworkWorker& worker() { return running_->app().Worker; }
  // Clicks connect button index and confirms its dialog; returns when the click's handler has, while
  // the connection runs on.
  void ClickConnectAndConfirm(size_t index) {
    TF_ConnectionDialog& dialog = running_->app().F_ConnectionDialog;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog.Handle()) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    SendMessageW(main().ConnectButtons().at(index), BM_CLICK, 0, 0);
  }
  // Clicks a strip's close button; its handler runs from the next message loop.
  void ClickClose(size_t panel) {
    HWND control = main().ConnectionPanels().at(panel)->Strip().Button(1);
    Click(control);
  }
  // Runs messages until the operation has ended, asking the main window to answer meanwhile.
  void WaitAsking(int& answers, int& missed) {
    AnswerProbe probe(main().Handle(), kAnswerWithin);
    ASSERT_TRUE(running_->WaitForNetwork());
    probe.Stop();
    answers = probe.Answers();
    missed = probe.Missed();
  }
};

// With and without a slow server: the window answers throughout, a second click starts nothing, and the
// status line, the panel and what is opened are the same.
TEST_F(ResponsivenessTest, ASlowConnectLeavesTheWindowAnsweringAndEndsAsAQuickOne) {
  for (std::uint32_t delay : {0u, kSlow}) {
    SCOPED_TRACE(delay);
    Start(StandInNetwork().AddShare(u"\\\\srv\\slow").AddShare(u"\\\\srv\\other").SetDelay(u"\\\\srv\\slow", delay),
          "slow,Z,\\\\srv\\slow,,\r\nother,Y,\\\\srv\\other,,\r\n");
    ClickConnectAndConfirm(0);
    ASSERT_TRUE(worker().Busy());
    EXPECT_EQ(main().StatusText(), u"接続認証中");
    EXPECT_FALSE(IsWindowEnabled(main().B_ConnectionSearch()));
    EXPECT_FALSE(IsWindowEnabled(main().B_NetResSearch()));
    {
      // Asked whether to give up the first; on no, the user is told to wait.
      WindowWatcher second([](HWND window, const WindowWatcher::Seen&) { WindowWatcher::Answer(window, IDNO); });
      SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
      const std::wstring dialogCaption = WindowText(running_->app().F_ConnectionDialog.Handle());
      for (const auto& seen : second.SeenWindows()) EXPECT_NE(seen.caption, dialogCaption) << "a second dialog";
      ASSERT_EQ(second.MessageBoxes().size(), 1u);
      EXPECT_TRUE(second.MessageBoxes()[0].text.starts_with(L"【slow】への接続がまだ終わっていません。"));
      // Without a delay the connect ends while the question is open, and its outcome stays.
      if (delay > 0) EXPECT_EQ(main().StatusText(), u"ネットワークの操作中です。終わってからもう一度押してください");
    }
    int answers = 0;
    int missed = 0;
    WaitAsking(answers, missed);
    if (delay > 0) {
      EXPECT_EQ(missed, 0);
      EXPECT_GE(answers, 10);
    }
    EXPECT_EQ(main().StatusText(), u"認証完了");
    EXPECT_EQ(shell_.targets, std::vector<Text>{u"Z:\\"});
    ASSERT_EQ(main().ConnectionPanels().size(), 1u);
    EXPECT_EQ(WindowText(main().ConnectionPanels()[0]->Handle()), L"【Z:】\\\\srv\\slow");
    EXPECT_EQ(StandInNetwork::CurrentConnections(),
              (std::vector<StandInNetwork::Connection>{{u"Z:", u"\\\\srv\\slow"}}));
    EXPECT_TRUE(IsWindowEnabled(main().B_ConnectionSearch()));
    EXPECT_TRUE(IsWindowEnabled(main().B_NetResSearch()));
    shell_.targets.clear();
    TearDown();
  }
}

TEST_F(ResponsivenessTest, ASlowCloseLeavesTheWindowAnsweringAndAnotherCloseWaits) {
  for (std::uint32_t delay : {0u, kSlow}) {
    SCOPED_TRACE(delay);
    Start(StandInNetwork()
              .AddConnection(u"Z:", u"\\\\srv\\slow")
              .AddConnection(u"Y:", u"\\\\srv\\other")
              .SetDelay(u"\\\\srv\\slow", delay));
    ClickClose(0);
    ASSERT_TRUE(running_->PumpUntil([&] { return worker().Busy(); }, 2000));
    ClickClose(1);  // ignored while the first runs, and the user is told so
    if (delay > 0) {
      running_->PumpFor(50);  // the strip's click is handled once its own message has returned
      EXPECT_EQ(main().StatusText(), u"ネットワークの操作中です。終わってからもう一度押してください");
    }
    int answers = 0;
    int missed = 0;
    WaitAsking(answers, missed);
    running_->PumpFor(50);  // the second click's handler has surely run by now
    ASSERT_TRUE(running_->WaitForNetwork());
    if (delay > 0) {
      EXPECT_EQ(missed, 0);
      EXPECT_GE(answers, 10);
    }
    EXPECT_EQ(main().StatusText(), u"切断完了");
    EXPECT_EQ(StandInNetwork::CurrentConnections(),
              (std::vector<StandInNetwork::Connection>{{u"Y:", u"\\\\srv\\other"}}));
    ASSERT_EQ(main().ConnectionPanels().size(), 1u);
    EXPECT_EQ(WindowText(main().ConnectionPanels()[0]->Handle()), L"【Y:】\\\\srv\\other");
    TearDown();
  }
}

std::string OutcomeLog() {
  const std::wstring settings = testing::SettingsFilePath();
  const std::wstring path = settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-log.txt";
  return testing::ReadBytes(FromWide(path.c_str())).value_or("(no file)");
}

// A connect that does not return can be given up, from another button's click or with Esc: the window is free
// for the next connect at once; the given-up call's outcome, when it comes, opens and asks nothing, goes to the
// log, and the connection it made shows in the panel.
TEST_F(ResponsivenessTest, AConnectThatDoesNotReturnCanBeGivenUp) {
  const std::string log = "2026-01-01 00:00:00 【old】\\\\srv\\old: 認証完了\r\n";
  testing::WriteSettingsFile("");  // makes the folder for the earlier log
  {
    const std::wstring settings = testing::SettingsFilePath();
    testing::WriteBytes(FromWide((settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-log.txt").c_str()), log);
  }
  Start(StandInNetwork()
            .AddShare(u"\\\\srv\\slow")
            .SetDelay(u"\\\\srv\\slow", 4000)
            .AddShare(u"\\\\nas\\stuck")
            .SetDelay(u"\\\\nas\\stuck", 4000)
            .AddShare(u"\\\\nas\\other"),
        "slow,Z,\\\\srv\\slow,,\r\nother,Y,\\\\nas\\other,,\r\nstuck,,\\\\nas\\stuck,,\r\n");
  ClickConnectAndConfirm(0);
  ASSERT_TRUE(worker().Busy());
  {
    WindowWatcher question([](HWND window, const WindowWatcher::Seen&) { WindowWatcher::Answer(window, IDYES); });
    SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
    ASSERT_EQ(question.MessageBoxes().size(), 1u);
  }
  EXPECT_FALSE(worker().Busy());
  EXPECT_EQ(main().StatusText(), u"【slow】への接続を待つのをやめました");
  EXPECT_TRUE(IsWindowEnabled(main().B_ConnectionSearch()));

  // The next connect goes through at once, beside the given-up call.
  ClickConnectAndConfirm(1);
  ASSERT_TRUE(running_->WaitForNetwork(2000));
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_EQ(shell_.targets, std::vector<Text>{u"Y:\\"});
  EXPECT_TRUE(worker().InCall()) << "the given-up call has returned already: the test shows nothing";

  // Esc gives up the third while the first still waits.
  ClickConnectAndConfirm(2);
  ASSERT_TRUE(worker().Busy());
  {
    WindowWatcher question([](HWND window, const WindowWatcher::Seen&) { WindowWatcher::Answer(window, IDYES); });
    const LPARAM scan = 0x00010001;
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, scan);
    PostMessageW(GetFocus(), WM_KEYUP, VK_ESCAPE, scan | 0xC0000000);
    ASSERT_TRUE(running_->PumpUntil([&] { return !worker().Busy(); }, 2000));
    EXPECT_EQ(question.MessageBoxes().size(), 1u);
  }
  EXPECT_EQ(main().StatusText(), u"【stuck】への接続を待つのをやめました");

  // The late outcomes: logged after the earlier line, shown in the panel, nothing opened, the status left alone.
  ASSERT_TRUE(running_->PumpUntil([&] { return !worker().InCall(); }, 10000));
  running_->PumpFor(200);
  const std::string late = OutcomeLog();
  EXPECT_TRUE(late.starts_with(log)) << late;
  EXPECT_NE(late.find("【slow】\\\\srv\\slow: 認証完了\r\n"), std::string::npos) << late;
  EXPECT_NE(late.find("【stuck】\\\\nas\\stuck: 認証完了\r\n"), std::string::npos) << late;
  EXPECT_EQ(shell_.targets, std::vector<Text>{u"Y:\\"});
  EXPECT_EQ(main().StatusText(), u"【stuck】への接続を待つのをやめました");
  std::vector<std::wstring> panels;
  for (ConnectionPanel* panel : main().ConnectionPanels()) panels.push_back(WindowText(panel->Handle()));
  std::sort(panels.begin(), panels.end());
  EXPECT_EQ(panels, (std::vector<std::wstring>{L"\\\\nas\\stuck", L"【Y:】\\\\nas\\other", L"【Z:】\\\\srv\\slow"}));
}

// The program ends when its window closes: the connect under way is waited for, no thread is left,
// nothing is opened for a window that is gone, and the settings file keeps its bytes.
TEST_F(ResponsivenessTest, ClosingTheWindowDuringAConnectEndsTheProgramCleanly) {
  const std::string settings = "slow,Z,\\\\srv\\slow,,\r\n";
  Start(StandInNetwork().AddShare(u"\\\\srv\\slow").SetDelay(u"\\\\srv\\slow", kSlow), settings);
  const int threadsBefore = ThreadsOfThisProcess();
  ASSERT_GT(threadsBefore, 0);
  ClickConnectAndConfirm(0);
  ASSERT_TRUE(worker().Busy());
  EXPECT_GT(ThreadsOfThisProcess(), threadsBefore) << "the connect does not run on a thread of its own";
  PostMessageW(main().Handle(), WM_CLOSE, 0, 0);
  ASSERT_TRUE(running_->PumpUntil([&] { return main().Handle() == nullptr; }, 2000));
  EXPECT_TRUE(worker().Busy()) << "the window did not close before the connect ended";
  running_.reset();  // as the program's return from its entry does
  EXPECT_LE(ThreadsOfThisProcess(), threadsBefore) << "a thread was left behind";
  EXPECT_TRUE(shell_.targets.empty());
  EXPECT_EQ(testing::ReadSettingsFile(), settings);
}

}  // namespace
}  // namespace velloway
