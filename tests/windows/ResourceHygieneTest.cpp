// Repeating what a user does many times leaves the process with as many GDI objects and windows as before.
#include <windows.h>
#include <gtest/gtest.h>
#include <winternl.h>

#include <cstdint>
#include <functional>

#include "StandInWindowTest.h"

namespace velloway {
namespace {

using testing::ChangeDpi;
using testing::StandInNetwork;

// Wine answers 0 to GetGuiResources, so the GDI objects are counted in the process's GDI handle table,
// which Windows and Wine both map into the process (PEB->GdiSharedHandleTable, at 0xF8 in the 64-bit
// PEB): 24-byte entries whose type byte (offset 14) is not 0 while the handle is in use. The table holds at
// least 0x4000 entries on both.
int GdiObjectCount() {
  PROCESS_BASIC_INFORMATION basic{};
  if (NtQueryInformationProcess(GetCurrentProcess(), ProcessBasicInformation, &basic, sizeof basic, nullptr) != 0) {
    return -1;
  }
  const auto* peb = reinterpret_cast<const std::uint8_t*>(basic.PebBaseAddress);
  const auto* table = *reinterpret_cast<const std::uint8_t* const*>(peb + 0xF8);
  if (table == nullptr) return -1;
  int count = 0;
  for (int i = 0; i < 0x4000; ++i) count += table[24 * i + 14] != 0 ? 1 : 0;
  return count;
}

// The windows of this process: every top-level window and every window inside one.
int WindowCount() {
  int count = 0;
  EnumWindows(
      [](HWND window, LPARAM total) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        if (process != GetCurrentProcessId()) return TRUE;
        ++*reinterpret_cast<int*>(total);
        EnumChildWindows(
            window,
            [](HWND, LPARAM inner) {
              ++*reinterpret_cast<int*>(inner);
              return TRUE;
            },
            total);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&count));
  return count;
}

class ResourceHygieneTest : public testing::StandInWindowTest {
 protected:
  // Runs action the given number of times, once first to let the system make what it keeps for good (its
  // caches of DCs, class brushes and themes), and expects the counts after to be those before.
  void ExpectNoLeak(const char* what, int times, const std::function<void()>& action) {
    action();
    running_->PumpFor(10);
    const int gdiBefore = GdiObjectCount();
    const int windowsBefore = WindowCount();
    ASSERT_GT(gdiBefore, 0) << "the GDI handle table cannot be read";
    for (int i = 0; i < times; ++i) action();
    running_->PumpFor(10);
    EXPECT_EQ(GdiObjectCount(), gdiBefore) << what;
    EXPECT_EQ(WindowCount(), windowsBefore) << what;
  }
  // Shows the dialog and leaves it at once, as closing it does.
  void ShowAndLeave(ModalWindow& dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    PostMessageW(dialog.Handle(), message, wParam, lParam);
    dialog.ShowModal();
  }
};

// As often as a long day of use would. The tests run inside a Wine desktop window, where a dialog is shown
// and hidden in about 25 ms; on a bare X server each hide would wait two seconds for the server.
constexpr int kDialogShows = 1000;

TEST_F(ResourceHygieneTest, RepeatedRebuildsShowsAndDpiChangesLeakNothing) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").AddConnection(u"", u"\\\\srv\\b"),
        "a,,\\\\srv\\a,,\r\nb,Z,\\\\srv\\b,,\r\nc,,\\\\srv\\c,,\r\n");
  Application& app = running_->app();
  ExpectNoLeak("connect buttons rebuilt", 1000, [&] { main().CreateButtons(); });
  ExpectNoLeak("connection panels rebuilt", 1000, [&] {
    main().CreateButtons_Connected();
    running_->WaitForNetwork();
  });
  ExpectNoLeak("browser shown", kDialogShows, [&] { ShowAndLeave(app.F_NetResEnum, WM_CLOSE, 0, 0); });
  ExpectNoLeak("edit dialog shown", kDialogShows, [&] { ShowAndLeave(app.F_SettingButtonForm, WM_CLOSE, 0, 0); });
  ExpectNoLeak("connection dialog shown", kDialogShows, [&] { ShowAndLeave(app.F_ConnectionDialog, WM_CLOSE, 0, 0); });
  // The editor has no close box: its Close button saves (to this test's own folder) and rebuilds.
  HWND close = app.F_SettingButton.B_Close();
  ExpectNoLeak("editor shown", kDialogShows, [&] {
    ShowAndLeave(app.F_SettingButton, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(close), BN_CLICKED),
                 reinterpret_cast<LPARAM>(close));
  });
  ExpectNoLeak("DPI changed", 100, [&] {
    for (TopLevelWindow* window : std::initializer_list<TopLevelWindow*>{
             &app.F_Main, &app.F_NetResEnum, &app.F_SettingButton, &app.F_SettingButtonForm, &app.F_ConnectionDialog}) {
      ChangeDpi(*window, 144);
      ChangeDpi(*window, 96);
    }
  });
}

}  // namespace
}  // namespace velloway
