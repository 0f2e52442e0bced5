// The main window keeps answering while a slow server takes its time: a connect and a close run beside
// it, one network operation at a time, and end as they would without the wait; closing the window
// meanwhile ends the program cleanly.
#include <windows.h>
#include <gtest/gtest.h>
#include <tlhelp32.h>

#include <string>
#include <vector>

#include "AnswerProbe.h"
#include "StandInWindowTest.h"

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
      WindowWatcher second;
      SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
      EXPECT_TRUE(second.SeenWindows().empty()) << "a second connect opened its dialog";
      EXPECT_EQ(main().StatusText(), u"ネットワークの操作中です。終わってからもう一度押してください");
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
