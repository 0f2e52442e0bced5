// The base of every window class: one window procedure that finds the object and forwards to it,
// and the one boundary where run-time errors of a handler end up in the default error report.
#pragma once

#include <windows.h>

namespace velloway {

// Registers the window class that wanted describes (its name, procedure and looks), unless this module has
// one of that name already.
void EnsureWindowClass(const WNDCLASSEXW& wanted);

class Window {
 public:
  Window() = default;
  Window(const Window&) = delete;
  Window& operator=(const Window&) = delete;
  virtual ~Window();

  HWND Handle() const noexcept { return handle_; }

 protected:
  // Registers the class on first use and creates the window with this object behind it.
  HWND CreateWindowOfClass(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption, RECT bounds,
                           HWND parent, UINT classStyle = CS_DBLCLKS);
  virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  // Called once the window is gone, so that the object forgets its handle.
  virtual void OnDestroyed() {}

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND handle_ = nullptr;
};

}  // namespace velloway
