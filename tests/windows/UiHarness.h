// Drives the real windows in-process: creates the application as the program does, pumps its
// messages, and answers modal windows and message boxes as they open.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "SettingsFileFixture.h"
#include "app/Application.h"

namespace velloway::testing {

std::wstring WindowText(HWND window);
std::wstring ClassOf(HWND window);
// A window's rectangle in its parent's client coordinates.
RECT RectInParent(HWND window);
SIZE ClientSize(HWND window);
// The window moved to a monitor of this DPI, with the size Windows suggests for it.
void ChangeDpi(TopLevelWindow& window, UINT dpi);

// The hint the main window's tooltip has for a connect button once the pointer has come onto it, as the system
// reports that.
std::wstring HintAfterPointerEnters(TF_Main& main, HWND button);

// A click as the button itself reports it: BN_CLICKED to its parent, by its id. Click waits for the handler;
// PostClick queues it, for a click made from inside a modal loop or one whose handler opens a modal window.
void Click(HWND button);
void PostClick(HWND button);

// Runs action from whichever message loop runs next on this thread, a modal one included: for looking
// at a window once its show has completed.
void RunSoon(std::function<void()> action);

// Sees every window that becomes active on this thread while it lives (a thread-local WH_CBT hook).
class WindowWatcher {
 public:
  struct Seen {
    std::wstring caption;
    std::wstring className;
    std::wstring text;  // a message box's message
  };
  // answer decides what to do with each window; by default message boxes are answered with OK.
  explicit WindowWatcher(std::function<void(HWND, const Seen&)> answer = {});
  ~WindowWatcher();
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;

  const std::vector<Seen>& SeenWindows() const { return seen_; }
  std::vector<Seen> MessageBoxes() const;

  static void Answer(HWND messageBox, int button);

 private:
  static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
  void OnActivate(HWND window);
  HHOOK hook_ = nullptr;
  HWND lastWindow_ = nullptr;
  std::function<void(HWND, const Seen&)> answer_;
  std::vector<Seen> seen_;
};

// The application, created as wWinMain creates it.
class RunningApplication {
 public:
  // dialogsUpFront: the four dialogs are made at once, for tests that drive them directly; the program makes
  // them when one is first needed.
  explicit RunningApplication(ShellOpener* shell = nullptr, size_t connectButtonLimit = kConnectButtonLimit,
                              bool dialogsUpFront = true);
  ~RunningApplication();
  Application& app() { return *app_; }
  TF_Main& main() { return app_->F_Main; }
  // Runs pending messages until done() or the time is up; returns done().
  bool PumpUntil(const std::function<bool()>& done, DWORD milliseconds = 5000);
  void PumpFor(DWORD milliseconds);
  // Runs messages until the start-up's load has run and no network operation is running; false when
  // the time ran out first.
  bool WaitForNetwork(DWORD milliseconds = 30000);
  // Moves the pointer there and pumps until the system reports it there (inside Wine's desktop window it
  // arrives a moment later); returns whether it did.
  bool MovePointerTo(POINT point);

 private:
  std::unique_ptr<Application> app_;
};

}  // namespace velloway::testing
