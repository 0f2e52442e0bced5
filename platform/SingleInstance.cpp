#include "platform/SingleInstance.h"

namespace velloway {
namespace {

// In the session's namespace: another user signed in on the same machine has a copy of their own.
constexpr wchar_t kMutexName[] = L"Local\\Velloway.SingleInstance";

HWND FindOtherProcessWindow(const wchar_t* className) {
  for (HWND window = FindWindowExW(nullptr, nullptr, className, nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, className, nullptr)) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return window;
  }
  return nullptr;
}

}  // namespace

SingleInstance::SingleInstance() noexcept : mutex_(CreateMutexW(nullptr, FALSE, kMutexName)) {
  first_ = !mutex_ || GetLastError() != ERROR_ALREADY_EXISTS;
}

bool ActivateRunningInstance(const wchar_t* className, DWORD waitMilliseconds) {
  const ULONGLONG until = GetTickCount64() + waitMilliseconds;
  HWND window = nullptr;
  while ((window = FindOtherProcessWindow(className)) == nullptr || !IsWindowVisible(window)) {
    if (GetTickCount64() >= until) return false;
    Sleep(50);
  }
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  return SetForegroundWindow(window) != FALSE;
}

}  // namespace velloway
