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

std::optional<std::uint32_t> SendCommandToRunningInstance(const wchar_t* className, const std::wstring& command,
                                                          DWORD findMilliseconds) {
  const ULONGLONG until = GetTickCount64() + findMilliseconds;
  HWND window = nullptr;
  while ((window = FindOtherProcessWindow(className)) == nullptr) {
    if (GetTickCount64() >= until) return std::nullopt;
    Sleep(50);
  }
  COPYDATASTRUCT data{};
  data.dwData = kCommandCopyData;
  data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(command.data());
  DWORD_PTR answer = 0;
  // A connect waits for its server as long as it takes; a hung window is given up.
  if (SendMessageTimeoutW(window, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data), SMTO_NOTIMEOUTIFNOTHUNG,
                          10 * 60 * 1000, &answer) == 0 ||
      (static_cast<LRESULT>(answer) & kCommandAnswered) == 0) {
    return std::nullopt;
  }
  return static_cast<std::uint32_t>(answer & 0xFFFFFFFFu);
}

}  // namespace velloway
