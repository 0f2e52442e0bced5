// How long the main window goes without answering while a connect waits 3 s on a slow server, beside the
// same figure for the idle window and for the same call made on the window's own thread, all in one run.
// Run by tools/bench-responsiveness, in the test prefix with the stand-in network; not a test.
#include <windows.h>

#include <cstdio>

#include "AnswerProbe.h"
#include "SettingsFileFixture.h"
#include "StandInNetwork.h"
#include "UiHarness.h"

namespace {

using velloway::testing::AnswerProbe;
using velloway::testing::RunningApplication;
using velloway::testing::StandInNetwork;
using velloway::testing::WindowWatcher;

constexpr DWORD kDelay = 3000;
// Long enough that every silence is measured whole instead of being cut at a timeout.
constexpr DWORD kProbeTimeout = 20000;

class NoShell final : public velloway::ShellOpener {
 public:
  void Open(HWND, const velloway::Text&) override {}
};

void Report(const char* what, const AnswerProbe& probe) {
  std::printf("  %-58s %8.1f ms  (%d answers)\n", what, probe.LongestSilenceMilliseconds(), probe.Answers());
}

void SlowNetwork() {
  StandInNetwork::Clear();
  StandInNetwork().AddShare(u"\\\\srv\\slow").SetDelay(u"\\\\srv\\slow", kDelay).Save();
}

int Run() {
  SlowNetwork();
  velloway::testing::WriteSettingsFile("slow,,\\\\srv\\slow,,\r\n");
  NoShell shell;
  RunningApplication running(&shell);
  running.WaitForNetwork();
  running.PumpFor(1000);  // Wine's own start-up work in a fresh prefix settles first
  velloway::Application& app = running.app();
  HWND main = app.F_Main.Handle();
  std::printf(
      "Longest time the window's thread went without answering WM_NULL (asked every 10 ms), %lu ms "
      "connect:\n",
      kDelay);
  {
    AnswerProbe probe(main, kProbeTimeout);
    running.PumpFor(kDelay);
    probe.Stop();
    Report("idle window, the floor", probe);
  }
  {
    WindowWatcher confirm([&](HWND window, const WindowWatcher::Seen&) {
      if (window == app.F_ConnectionDialog.Handle()) PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    });
    SendMessageW(app.F_Main.ConnectButtons().at(0), BM_CLICK, 0, 0);
    AnswerProbe probe(main, kProbeTimeout);
    running.WaitForNetwork();
    probe.Stop();
    Report("connect on the worker (goal < 100 ms)", probe);
  }
  SlowNetwork();
  {
    AnswerProbe probe(main, kProbeTimeout);
    running.PumpFor(100);
    // What the window did before: the call on its own thread.
    app.Network.AddConnection(std::nullopt, u"\\\\srv\\slow", nullptr, nullptr);
    running.PumpFor(100);
    probe.Stop();
    Report("the same call on the window's thread, for comparison", probe);
  }
  StandInNetwork::Clear();
  return 0;
}

}  // namespace

int main() { return Run(); }
