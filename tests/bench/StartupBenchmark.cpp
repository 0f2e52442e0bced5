// Whole-program figures under Wine, run by tools/bench-startup (never a test). Modes:
//   bare            process start to a painted bare window, and its working set
//   bare-buttons    the same with 100 plain push buttons: the least that 100 real buttons cost
//   floor N [stay]  the floor of a start-up with N buttons: process start to one painted window with N themed
//                   push buttons (common controls 6, the message font); with stay it keeps running (for launch)
//   launch N EXE... starts EXE (with its arguments) as a new process and reports the time from its creation
//                   until a visible window of it holds the last of N buttons with ids from 10000, as connect
//                   buttons have: the release exe and the floor measured the same way
//   main            process start to the painted main window with the buttons of the prefix's settings file
//   breakdown       the same start-up, phase by phase
//   prepare N       writes N settings to the prefix's settings file
//   buttons         CreateButtons for 1,000 settings on a freshly started main window
//   scale N...      save, load, rebuild (CreateButtons, with and without buttons to destroy first) and one
//                   wheel notch over the buttons, in one process, for each count
// Times are milliseconds; a message box that opens (the note about buttons left out) is answered at once.
#include <windows.h>
#include <commctrl.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "app/Application.h"
#include "core/SettingsFile.h"
#include "platform/ShellFolders.h"

namespace {

using velloway::Application;

ULONGLONG Ticks(FILETIME t) { return (static_cast<ULONGLONG>(t.dwHighDateTime) << 32) | t.dwLowDateTime; }

double MillisecondsSinceProcessStart() {
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  return static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
}

double Now() {
  static LARGE_INTEGER frequency = [] {
    LARGE_INTEGER f{};
    QueryPerformanceFrequency(&f);
    return f;
  }();
  LARGE_INTEGER counter{};
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

size_t WorkingSetKilobytes() {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
  return counters.WorkingSetSize / 1024;
}

void Pump() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
}

// Every message but the start-up timer's, which must not run the deferred load a second time.
void PumpAllButTimer() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, WM_TIMER - 1, PM_REMOVE) ||
         PeekMessageW(&message, nullptr, WM_TIMER + 1, 0xFFFF, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

// Answers every message box with OK as soon as it opens, and counts them.
int messageBoxes = 0;
LRESULT CALLBACK AnswerMessageBoxes(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE) {
    wchar_t className[16] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), className, 16);
    if (lstrcmpW(className, L"#32770") == 0) {
      ++messageBoxes;
      PostMessageW(reinterpret_cast<HWND>(wParam), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Once for the thread, however often asked.
void AnswerMessageBoxesFromNowOn() {
  static const HHOOK hook = SetWindowsHookExW(WH_CBT, AnswerMessageBoxes, nullptr, GetCurrentThreadId());
  static_cast<void>(hook);
}

// A window class of nothing but the default behaviour.
HWND CreateBareWindow() {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = DefWindowProcW;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"Bare";
  RegisterClassExW(&windowClass);
  return CreateWindowExW(0, L"Bare", L"Bare", WS_OVERLAPPEDWINDOW, 0, 0, 698, 539, nullptr, nullptr,
                         windowClass.hInstance, nullptr);
}

// The bare window with 100 plain push buttons made the simplest way: what 100 real buttons cost Wine.
int BareWithButtons() {
  HWND window = CreateBareWindow();
  ShowWindow(window, SW_SHOW);
  for (int i = 0; i < 100; ++i) {
    CreateWindowExW(0, WC_BUTTONW, L"共有", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 30, 51 + 40 * i, 400, 30, window,
                    nullptr, nullptr, nullptr);
  }
  UpdateWindow(window);
  Pump();
  const double elapsed = MillisecondsSinceProcessStart();
  std::printf("bare, 100 plain buttons: %.1f ms, working set %zu KB\n", elapsed, WorkingSetKilobytes());
  DestroyWindow(window);
  return 0;
}

// The floor for N connect buttons: what a program that makes N themed push buttons with the message font,
// and nothing else, costs. Ids from 10000 as the connect buttons' so that launch counts them alike.
int Floor(int count, bool stay) {
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  HFONT font = CreateFontIndirectW(&metrics.lfMessageFont);
  HWND window = CreateBareWindow();
  ShowWindow(window, SW_SHOW);
  for (int i = 0; i < count; ++i) {
    HWND button =
        CreateWindowExW(0, WC_BUTTONW, L"共有", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 30, 10 + 40 * i,
                        400, 30, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(10000 + i)), nullptr, nullptr);
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  UpdateWindow(window);
  Pump();
  if (!stay) {
    std::printf("floor, %d buttons: %.1f ms, working set %zu KB\n", count, MillisecondsSinceProcessStart(),
                WorkingSetKilobytes());
    return 0;
  }
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

struct Search {
  DWORD process;
  HWND row;  // the window that holds the buttons, once the first one is made
};

// The window, a few levels down, whose children are the buttons (ids from 10000): a row holds nothing else, so
// its first child tells.
HWND FindRow(HWND parent, int depth) {
  for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    if (GetDlgCtrlID(child) >= 10000) return parent;
    if (depth > 0) {
      if (HWND row = FindRow(child, depth - 1)) return row;
    }
  }
  return nullptr;
}

BOOL CALLBACK FindRowOfProcess(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<Search*>(data);
  DWORD process = 0;
  GetWindowThreadProcessId(window, &process);
  if (process != search.process || !IsWindowVisible(window)) return TRUE;
  search.row = FindRow(window, 3);
  return search.row != nullptr ? FALSE : TRUE;
}

int Launch(int count, int argc, char** argv) {
  std::wstring commandLine;
  for (int i = 0; i < argc; ++i) {
    const int length = MultiByteToWideChar(CP_UTF8, 0, argv[i], -1, nullptr, 0);
    std::wstring argument(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, argv[i], -1, argument.data(), length);
    argument.resize(static_cast<size_t>(length - 1));
    commandLine += (i > 0 ? L" \"" : L"\"") + argument + L"\"";
  }
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION started{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &started)) {
    std::fprintf(stderr, "could not start %s\n", argv[0]);
    return 1;
  }
  // Every look costs the program looked at a server call or more under Wine, and a walk through its windows
  // many. So the windows are walked every 10 ms only until the first button is there; from then on only the
  // last child of the row is looked at, every 2 ms. The last button is made last, so it is last among them.
  Search search{started.dwProcessId, nullptr};
  const int lastId = 10000 + count - 1;
  bool found = false;
  const ULONGLONG giveUp = GetTickCount64() + 120000;
  while (!found && GetTickCount64() < giveUp) {
    if (search.row == nullptr) EnumWindows(FindRowOfProcess, reinterpret_cast<LPARAM>(&search));
    found = search.row != nullptr && GetDlgCtrlID(GetWindow(GetWindow(search.row, GW_CHILD), GW_HWNDLAST)) == lastId;
    if (!found && WaitForSingleObject(started.hProcess, search.row == nullptr ? 10 : 2) != WAIT_TIMEOUT) break;
  }
  FILETIME created{}, exited{}, kernel{}, user{};
  GetProcessTimes(started.hProcess, &created, &exited, &kernel, &user);
  FILETIME now{};
  GetSystemTimePreciseAsFileTime(&now);
  const double elapsed = static_cast<double>(Ticks(now) - Ticks(created)) / 10000.0;
  TerminateProcess(started.hProcess, 0);
  WaitForSingleObject(started.hProcess, 10000);
  CloseHandle(started.hThread);
  CloseHandle(started.hProcess);
  if (!found) {
    std::printf("launch: no window with %d buttons\n", count);
    return 1;
  }
  std::printf("launch, %d buttons: %.1f ms\n", count, elapsed);
  return 0;
}

int Bare() {
  HWND window = CreateBareWindow();
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);
  Pump();
  const double elapsed = MillisecondsSinceProcessStart();
  std::printf("bare: %.1f ms, working set %zu KB\n", elapsed, WorkingSetKilobytes());
  DestroyWindow(window);
  return 0;
}

velloway::Text Number(size_t n) {
  const std::string digits = std::to_string(n);
  return velloway::Text(digits.begin(), digits.end());
}

void FillSettings(velloway::SettingsList& settings, size_t count) {
  settings.Clear();
  for (size_t i = 0; i < count; ++i) {
    settings.Append(velloway::ButtonSetting{u"共有 " + Number(i), i % 2 == 0 ? u"Z" : u"",
                                            u"\\\\srv\\share" + Number(i), i % 3 == 0 ? u"user" : u"",
                                            u"0123456789ABCDEF0123456789ABCDEF"});
  }
}

// The application as wWinMain starts it, with the deferred load and the connections read on the worker
// waited for as the message loop runs them.
void StartAndWaitForLoad(Application& application) {
  application.CreateWindows(SW_SHOW);
  while (application.F_Main.StartupTimerArmed() || application.Worker.Busy()) {
    MSG message;
    if (GetMessageW(&message, nullptr, 0, 0) <= 0) break;
    application.Dispatch(message);
    // The note about buttons left out is posted when the load made fewer buttons than settings; its box is
    // answered from then on. A hook set before would be called at every window made, each button too, and
    // slow the start-up measured: the program has none.
    if (!application.F_Main.StartupTimerArmed() &&
        application.F_Main.ConnectButtons().size() < application.Settings.Count()) {
      AnswerMessageBoxesFromNowOn();
    }
  }
  UpdateWindow(application.F_Main.Handle());
  Pump();  // the paint of the buttons, and the note about buttons left out when there is one
}

int Main() {
  Application application(velloway::ApplicationDataFolder());
  StartAndWaitForLoad(application);
  const double elapsed = MillisecondsSinceProcessStart();
  std::printf("main, %zu settings, %zu buttons%s: %.1f ms, working set %zu KB\n", application.Settings.Count(),
              application.F_Main.ConnectButtons().size(), messageBoxes > 0 ? " (note shown)" : "", elapsed,
              WorkingSetKilobytes());
  return 0;
}

// The start-up of Main, one phase at a time. The deferred steps run directly, in the order of the timer
// tick, and the tick itself is left pending so that it does not run them again.
int Breakdown() {
  struct Phase {
    const char* name;
    double milliseconds;
    size_t workingSet;  // KB, at the end of the phase
  };
  std::vector<Phase> phases;
  const double atEntry = MillisecondsSinceProcessStart();
  phases.push_back({"process and library start (to main)", atEntry, WorkingSetKilobytes()});
  double mark = Now();
  auto phase = [&](const char* name) {
    const double now = Now();
    phases.push_back({name, now - mark, WorkingSetKilobytes()});
    mark = Now();
  };

  INITCOMMONCONTROLSEX controls{sizeof controls,
                                ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES};
  InitCommonControlsEx(&controls);
  phase("common controls init");
  Application application(velloway::ApplicationDataFolder());
  phase("application objects");
  velloway::Text folder = velloway::SettingsFolder(velloway::ApplicationDataFolder());
  phase("settings folder from the shell (first call)");
  {
    // The first control of the program pays for setting up the common controls' classes and themes.
    HWND probe = CreateWindowExW(0, WC_BUTTONW, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    DestroyWindow(probe);
  }
  phase("first common control (one-off set-up)");
  // The main window alone, as Application::CreateWindows makes it; the dialogs wait for their first use.
  application.F_Main.Create(SW_SHOW);
  phase("main window created and shown (FormCreate)");
  application.F_Main.SetDialogs(application.F_SettingButton, application.F_NetResEnum, application.F_ConnectionDialog,
                                [&application] { application.CreateDialogs(); });
  UpdateWindow(application.F_Main.Handle());
  PumpAllButTimer();
  phase("first paint, no buttons yet");
  velloway::UnreadSettingsFile unread;
  velloway::LoadSettingsFile(folder, application.Settings, application.Files, application.CodePage, unread);
  phase("settings load");
  application.F_Main.CreateButtons();
  phase("connect buttons (CreateButtons)");
  application.F_Main.CreateButtons_Connected();
  while (application.Worker.Busy()) {
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    PumpAllButTimer();
  }
  phase("connection enumeration and panels");
  UpdateWindow(application.F_Main.Handle());
  PumpAllButTimer();
  phase("paint with the buttons");
  const double total = MillisecondsSinceProcessStart();

  std::printf("breakdown, %zu settings, %zu buttons:\n", application.Settings.Count(),
              application.F_Main.ConnectButtons().size());
  for (const Phase& p : phases) {
    std::printf("  %-46s %8.1f ms   working set %6zu KB\n", p.name, p.milliseconds, p.workingSet);
  }
  std::printf("  %-46s %8.1f ms\n", "total, process start to painted", total);
  mark = Now();
  application.CreateDialogs();
  std::printf("  %-46s %8.1f ms\n", "(later, at the first use: the four dialogs)", Now() - mark);
  return 0;
}

int Prepare(size_t count) {
  velloway::SettingsList settings;
  FillSettings(settings, count);
  velloway::Text folder = velloway::SettingsFolder(velloway::ApplicationDataFolder());
  velloway::WindowsFileStore files;
  velloway::WindowsAnsiCodePage codePage;
  if (!files.FolderExists(folder)) files.CreateFolder(folder);
  velloway::UnreadSettingsFile unread;
  velloway::SaveSettingsFile(folder + u"\\vlw.ini", settings, files, codePage, unread);
  return 0;
}

int Buttons() {
  Application application(velloway::ApplicationDataFolder());
  application.CreateWindows(SW_SHOW);
  FillSettings(application.Settings, 1000);
  const double start = Now();
  application.F_Main.CreateButtons();
  const double end = Now();
  std::printf("CreateButtons, 1000 settings: %.1f ms\n", end - start);
  return 0;
}

int Scale(const std::vector<size_t>& counts) {
  AnswerMessageBoxesFromNowOn();
  Application application(velloway::ApplicationDataFolder());
  StartAndWaitForLoad(application);
  const velloway::Text folder = velloway::SettingsFolder(velloway::ApplicationDataFolder());
  for (size_t count : counts) {
    FillSettings(application.Settings, count);
    double start = Now();
    static_cast<void>(application.F_Main.SaveToIni());
    const double save = Now() - start;
    velloway::Text path = folder;
    start = Now();
    velloway::UnreadSettingsFile unread;
    velloway::LoadSettingsFile(path, application.Settings, application.Files, application.CodePage, unread);
    const double load = Now() - start;
    start = Now();
    application.F_Main.CreateButtons();
    const double rebuild = Now() - start;
    const size_t buttons = application.F_Main.ConnectButtons().size();
    start = Now();
    application.F_Main.P_ButtonPanel().ScrollBy(5);
    const double wheel = Now() - start;
    application.F_Main.P_ButtonPanel().ScrollTo(0);
    start = Now();
    application.F_Main.CreateButtons();
    const double again = Now() - start;
    Pump();  // the note about buttons left out, answered
    std::printf(
        "%6zu settings: save %7.1f ms, load %7.1f ms, rebuild %8.1f ms (%zu buttons, %.3f ms each), "
        "rebuild again %8.1f ms, one wheel notch %6.1f ms\n",
        count, save, load, rebuild, buttons, buttons > 0 ? rebuild / static_cast<double>(buttons) : 0.0, again, wheel);
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  const std::string mode = argc > 1 ? argv[1] : "main";
  if (mode == "bare") return Bare();
  if (mode == "bare-buttons") return BareWithButtons();
  if (mode == "main") return Main();
  if (mode == "floor" && argc > 2) return Floor(std::atoi(argv[2]), argc > 3 && std::string(argv[3]) == "stay");
  if (mode == "launch" && argc > 3) return Launch(std::atoi(argv[2]), argc - 3, argv + 3);
  if (mode == "breakdown") return Breakdown();
  if (mode == "prepare" && argc > 2) return Prepare(std::strtoul(argv[2], nullptr, 10));
  if (mode == "buttons") return Buttons();
  if (mode == "scale") {
    std::vector<size_t> counts;
    for (int i = 2; i < argc; ++i) counts.push_back(std::strtoul(argv[i], nullptr, 10));
    return Scale(counts);
  }
  std::fprintf(stderr,
               "usage: velloway_startup_bench bare|bare-buttons|floor N [stay]|launch N EXE...|main|breakdown|prepare "
               "N|buttons|scale N...\n");
  return 2;
}
