// The window test harness.
#include "UiHarness.h"

#include <commctrl.h>

#include "platform/WinText.h"

namespace velloway::testing {
namespace {

thread_local WindowWatcher* activeWatcher = nullptr;

// Actions waiting for their thread timer, by timer id.
thread_local std::vector<std::pair<UINT_PTR, std::function<void()>>> soonActions;

void CALLBACK RunSoonTimer(HWND, UINT, UINT_PTR id, DWORD) {
  KillTimer(nullptr, id);
  for (auto it = soonActions.begin(); it != soonActions.end(); ++it) {
    if (it->first != id) continue;
    const std::function<void()> action = std::move(it->second);
    soonActions.erase(it);
    action();
    return;
  }
}

}  // namespace

std::wstring WindowText(HWND window) {
  const int length = GetWindowTextLengthW(window);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(window, text.data(), length + 1);
  text.resize(static_cast<size_t>(length));
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = {};
  GetClassNameW(window, name, 256);
  return name;
}

RECT RectInParent(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  MapWindowPoints(nullptr, GetParent(window), reinterpret_cast<POINT*>(&bounds), 2);
  return bounds;
}

SIZE ClientSize(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  return SIZE{client.right, client.bottom};
}

WindowWatcher::WindowWatcher(std::function<void(HWND, const Seen&)> answer) : answer_(std::move(answer)) {
  activeWatcher = this;
  hook_ = SetWindowsHookExW(WH_CBT, &WindowWatcher::Hook, nullptr, GetCurrentThreadId());
}

WindowWatcher::~WindowWatcher() {
  UnhookWindowsHookEx(hook_);
  activeWatcher = nullptr;
}

std::vector<WindowWatcher::Seen> WindowWatcher::MessageBoxes() const {
  std::vector<Seen> boxes;
  for (const Seen& seen : seen_) {
    if (seen.className == L"#32770") boxes.push_back(seen);
  }
  return boxes;
}

void WindowWatcher::Answer(HWND messageBox, int button) {
  PostMessageW(messageBox, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), 0);
}

LRESULT CALLBACK WindowWatcher::Hook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_ACTIVATE && activeWatcher != nullptr) activeWatcher->OnActivate(reinterpret_cast<HWND>(wParam));
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

void WindowWatcher::OnActivate(HWND window) {
  Seen seen{WindowText(window), ClassOf(window), {}};
  if (seen.className == L"#32770") {
    // The message of a message box is its static control with id 0xFFFF.
    seen.text = WindowText(GetDlgItem(window, 0xFFFF));
  }
  // Activation comes again when a window regains the focus: count each opening once.
  if (window == lastWindow_) return;
  lastWindow_ = window;
  seen_.push_back(seen);
  if (answer_) {
    answer_(window, seen);
  } else if (seen.className == L"#32770") {
    Answer(window, IDOK);
  }
}

void ChangeDpi(TopLevelWindow& window, UINT dpi) {
  RECT bounds{};
  GetWindowRect(window.Handle(), &bounds);
  const UINT old = window.Dpi();
  RECT suggested{bounds.left, bounds.top, bounds.left + MulDiv(bounds.right - bounds.left, dpi, old),
                 bounds.top + MulDiv(bounds.bottom - bounds.top, dpi, old)};
  SendMessageW(window.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

RunningApplication::RunningApplication(ShellOpener* shell, size_t connectButtonLimit, bool dialogsUpFront)
    : app_(std::make_unique<Application>(FromWide(TestApplicationDataFolder().c_str()), shell, connectButtonLimit)) {
  app_->CreateWindows(SW_SHOWNOACTIVATE);
  if (dialogsUpFront) app_->CreateDialogs();
}

RunningApplication::~RunningApplication() {
  if (app_->F_Main.Handle() != nullptr) DestroyWindow(app_->F_Main.Handle());
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
  }
}

bool RunningApplication::PumpUntil(const std::function<bool()>& done, DWORD milliseconds) {
  const ULONGLONG end = GetTickCount64() + milliseconds;
  while (!done() && GetTickCount64() < end) {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return done();
      app_->Dispatch(message);
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
  }
  return done();
}

bool RunningApplication::WaitForNetwork(DWORD milliseconds) {
  return PumpUntil([this] { return !app_->F_Main.StartupTimerArmed() && !app_->Worker.Busy(); }, milliseconds);
}

void RunningApplication::PumpFor(DWORD milliseconds) {
  PumpUntil([] { return false; }, milliseconds);
}

bool RunningApplication::MovePointerTo(POINT point) {
  auto there = [&] {
    POINT now{};
    GetCursorPos(&now);
    return now.x == point.x && now.y == point.y;
  };
  if (there()) return true;
  SetCursorPos(point.x, point.y);
  // Inside Wine's desktop window the pointer reports the new place at once, then an older move that
  // the X server sends late takes it back for a moment: it is there once it has stayed there a while.
  const ULONGLONG end = GetTickCount64() + 5000;
  ULONGLONG arrived = 0;
  while (GetTickCount64() < end) {
    PumpFor(10);
    if (!there()) {
      arrived = 0;
    } else if (arrived == 0) {
      arrived = GetTickCount64();
    } else if (GetTickCount64() - arrived >= 60) {
      return true;
    }
  }
  return false;
}

void Click(HWND button) {
  SendMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

void PostClick(HWND button) {
  PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
               reinterpret_cast<LPARAM>(button));
}

std::wstring HintAfterPointerEnters(TF_Main& main, HWND button) {
  SendMessageW(button, WM_SETCURSOR, reinterpret_cast<WPARAM>(button), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
  wchar_t text[256] = {};
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = main.Handle();
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = text;
  SendMessageW(main.Tooltips(), TTM_GETTEXTW, 256, reinterpret_cast<LPARAM>(&tool));
  return text;
}

void RunSoon(std::function<void()> action) {
  soonActions.emplace_back(SetTimer(nullptr, 0, 0, RunSoonTimer), std::move(action));
}

}  // namespace velloway::testing
