// The worker that runs the network's calls: one operation at a time, what it hands back in order on this
// thread, its errors reported here, and nothing left running or called once it is gone.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <memory>
#include <string>
#include <vector>

#include "UiHarness.h"
#include "core/RuntimeError.h"
#include "ui/services/NetworkWorker.h"

namespace velloway {
namespace {

using testing::WindowWatcher;

// Runs this thread's messages until done() or the time has passed.
bool Pump(const std::function<bool()>& done, DWORD milliseconds = 5000) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done() && GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

TEST(NetworkWorker, RunsOneOperationAtATimeAndHandsBackInOrder) {
  NetworkWorker worker;
  std::vector<std::string> seen;
  std::vector<bool> busyChanges;
  worker.OnBusyChanged([&] { busyChanges.push_back(worker.Busy()); });
  const DWORD windowThread = GetCurrentThreadId();
  DWORD workThread = 0;
  ASSERT_TRUE(worker.Start(
      [&] {
        workThread = GetCurrentThreadId();
        for (int i = 0; i < 50; ++i) worker.Post([&seen, i] { seen.push_back(std::to_string(i)); });
        Sleep(200);
      },
      [&] {
        EXPECT_EQ(GetCurrentThreadId(), windowThread);
        seen.push_back("done");
      }));
  EXPECT_TRUE(worker.Busy());
  EXPECT_FALSE(worker.Start([] {}, [&] { seen.push_back("second"); })) << "a second operation started";
  ASSERT_TRUE(Pump([&] { return !worker.Busy(); }));
  EXPECT_NE(workThread, windowThread);
  ASSERT_EQ(seen.size(), 51u);
  for (int i = 0; i < 50; ++i) EXPECT_EQ(seen[static_cast<size_t>(i)], std::to_string(i));
  EXPECT_EQ(seen.back(), "done");
  EXPECT_EQ(busyChanges, (std::vector<bool>{true, false}));
  // Free again: the next operation starts.
  bool again = false;
  ASSERT_TRUE(worker.Start([] {}, [&] { again = true; }));
  EXPECT_TRUE(Pump([&] { return again; }));
}

TEST(NetworkWorker, AnErrorOfTheWorkIsReportedOnThisThreadInsteadOfDone) {
  NetworkWorker worker;
  WindowWatcher watcher;  // answers the report with OK
  bool done = false;
  ASSERT_TRUE(worker.Start([] { throw RuntimeError(u"ネットワークの呼び出しに失敗しました"); }, [&] { done = true; }));
  ASSERT_TRUE(Pump([&] { return !worker.Busy() && !watcher.MessageBoxes().empty(); }));
  EXPECT_FALSE(done);
  EXPECT_EQ(watcher.MessageBoxes().at(0).text, L"ネットワークの呼び出しに失敗しました");
}

// As at the program's end: a running walk is asked to stop, its thread is waited for, and what it would
// have handed back is never run.
TEST(NetworkWorker, GoingAwayStopsAndWaitsForTheRunningWorkAndCallsNothing) {
  std::atomic<bool> ended{false};
  bool called = false;
  {
    NetworkWorker worker;
    ASSERT_TRUE(worker.Start(
        [&] {
          while (!worker.StopRequested()) Sleep(5);
          Sleep(100);  // a read that still has to return
          worker.Post([&] { called = true; });
          ended = true;
        },
        [&] { called = true; }));
  }
  EXPECT_TRUE(ended);
  Pump([] { return false; }, 200);
  EXPECT_FALSE(called);
}

// A call that does not return is given up: the worker is free for the next operation at once, the given-up
// operation's done never runs, and what replaced it runs when the call returns at last (its error dropped).
TEST(NetworkWorker, AGivenUpCallFreesTheWorkerAndOnlyItsLateHandlerRuns) {
  NetworkWorker worker;
  WindowWatcher watcher;  // would answer an error report, which must not come
  std::vector<bool> busyChanges;
  worker.OnBusyChanged([&] { busyChanges.push_back(worker.Busy()); });
  std::atomic<bool> release{false};
  std::vector<std::string> seen;
  auto stuck = [&](const char* name) {
    return [&release, name] {
      while (!release) Sleep(5);
      if (std::string(name) == "failing") throw RuntimeError(u"遅れて届いたエラー");
    };
  };
  ASSERT_TRUE(worker.Start(stuck("failing"), [&] { seen.push_back("done of the first"); }));
  worker.Abandon([&] { seen.push_back("late of the first"); });
  EXPECT_FALSE(worker.Busy());
  EXPECT_TRUE(worker.InCall());
  ASSERT_TRUE(worker.Start(stuck("second"), [&] { seen.push_back("done of the second"); }));
  worker.Abandon([&] { seen.push_back("late of the second"); });
  // The third runs and ends while both stuck calls still wait.
  ASSERT_TRUE(worker.Start([] {}, [&] { seen.push_back("done of the third"); }));
  ASSERT_TRUE(Pump([&] { return !worker.Busy(); }));
  EXPECT_EQ(seen, (std::vector<std::string>{"done of the third"}));
  EXPECT_TRUE(worker.InCall());

  release = true;
  ASSERT_TRUE(Pump([&] { return seen.size() == 3 && !worker.InCall(); }));
  std::sort(seen.begin() + 1, seen.end());  // the two threads end in either order
  EXPECT_EQ(seen, (std::vector<std::string>{"done of the third", "late of the first", "late of the second"}));
  EXPECT_TRUE(watcher.MessageBoxes().empty()) << "a given-up call's error was reported";
  EXPECT_EQ(busyChanges, (std::vector<bool>{true, false, true, false, true, false}));
}

}  // namespace
}  // namespace velloway
