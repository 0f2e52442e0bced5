// Whole-program figures under Wine, run by hand:
//   velloway_startup_bench.exe bare     process start to a painted bare window
//   velloway_startup_bench.exe main     process start to the painted main window with its buttons
//   velloway_startup_bench.exe buttons  CreateButtons for 1,000 settings
// Each mode prints milliseconds; compare the first two from runs made one after the other.
#include <windows.h>

#include <cstdio>
#include <string>

#include "Application.h"
#include "ShellFolders.h"

namespace {

double MillisecondsSinceProcessStart() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const auto ticks = [](FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
  return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

int Bare() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"Bare";
  RegisterClassExW(&windowClass);
  HWND window = CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPEDWINDOW, 0, 0, 698, 539, nullptr, nullptr,
                                windowClass.hInstance, nullptr);
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Pump();
  std::printf("bare: %.1f ms\n", MillisecondsSinceProcessStart());
  DestroyWindow(window);
  return 0;
}

void FillSettings(velloway::SettingsList& settings, int count) {
  settings.Clear();
  for (int i = 0; i < count; ++i) {
    const std::string n = std::to_string(i);
    settings.Append(velloway::ButtonSetting{u"共有 " + velloway::Text(n.begin(), n.end()), u"Z", u"\\\\srv\\s", u"", u""});
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "main";
  if (mode == "bare") return Bare();

  velloway::Application application(velloway::ApplicationDataFolder());
  application.CreateWindows(SW_SHOW);
  if (mode == "buttons") {
    FillSettings(application.Settings, 1000);
    LARGE_INTEGER frequency{}, start{}, end{};
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    application.F_Main.CreateButtons();
    QueryPerformanceCounter(&end);
    std::printf("CreateButtons, 1000 settings: %.1f ms\n",
                static_cast<double>(end.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart));
    return 0;
  }
  // The settings file of this prefix is expected to hold 100 settings; wait for the start-up load.
  while (application.F_Main.StartupTimerArmed()) {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    application.Dispatch(message);
  }
  UpdateWindow(application.F_Main.Handle());
  Pump();
  std::printf("main, %zu buttons: %.1f ms\n", application.F_Main.ConnectButtons().size(), MillisecondsSinceProcessStart());
  return 0;
}
