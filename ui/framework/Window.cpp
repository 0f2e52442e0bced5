// The window procedure shared by every window class.
#include "ui/framework/Window.h"

#include "ui/framework/ErrorReport.h"

namespace velloway {

void EnsureWindowClass(const WNDCLASSEXW& wanted) {
  WNDCLASSEXW existing{};
  existing.cbSize = sizeof existing;
  if (GetClassInfoExW(wanted.hInstance, wanted.lpszClassName, &existing)) return;
  WNDCLASSEXW windowClass = wanted;
  windowClass.cbSize = sizeof windowClass;
  RegisterClassExW(&windowClass);
}

Window::~Window() {
  if (handle_ != nullptr) {
    SetWindowLongPtrW(handle_, GWLP_USERDATA, 0);
    DestroyWindow(handle_);
  }
}

HWND Window::CreateWindowOfClass(const wchar_t* className, DWORD exStyle, DWORD style, const wchar_t* caption,
                                 RECT bounds, HWND parent, UINT classStyle) {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.style = classStyle;
  windowClass.lpfnWndProc = &Window::Procedure;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.hIcon = LoadIconW(instance, L"MAINICON");
  windowClass.lpszClassName = className;
  EnsureWindowClass(windowClass);
  return CreateWindowExW(exStyle, className, caption, style, bounds.left, bounds.top, bounds.right - bounds.left,
                         bounds.bottom - bounds.top, parent, nullptr, instance, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  return DefWindowProcW(handle_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->handle_ = window;
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self == nullptr) return DefWindowProcW(window, message, wParam, lParam);
  if (message == WM_NCDESTROY) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    const LRESULT result = self->HandleMessage(message, wParam, lParam);
    self->handle_ = nullptr;
    self->OnDestroyed();
    return result;
  }
  // An error raised in a handler ends that handler; the report shows it and the program carries on.
  try {
    return self->HandleMessage(message, wParam, lParam);
  } catch (...) {
    ReportCurrentException(window);
  }
  return 0;
}

}  // namespace velloway
