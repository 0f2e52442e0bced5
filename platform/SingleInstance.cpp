// The session's one-copy mutex, and the hand-over of a command to the running copy and of its reply back.
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

CommandReplyWindow::CommandReplyWindow(HWND from) : from_(from) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = Procedure;
  windowClass.hInstance = GetModuleHandleW(nullptr);
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);  // fails harmlessly when it is registered already
  window_.reset(
      CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, GetModuleHandleW(nullptr), this));
}

LRESULT CALLBACK CommandReplyWindow::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    SetWindowLongPtrW(window, GWLP_USERDATA,
                      reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams));
  }
  auto* self = reinterpret_cast<CommandReplyWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_COPYDATA && self != nullptr) {
    const auto& data = *reinterpret_cast<const COPYDATASTRUCT*>(lParam);
    // Only the window the command went to replies, once, with no more than a reply can hold.
    if (data.dwData != kCommandReplyCopyData || reinterpret_cast<HWND>(wParam) != self->from_ || self->replied_ ||
        data.lpData == nullptr || data.cbData % sizeof(wchar_t) != 0 || data.cbData > kLongestReplyBytes) {
      return FALSE;
    }
    self->reply_.assign(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t));
    self->replied_ = true;
    return TRUE;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

std::optional<HandedOver> SendCommandToRunningInstance(const wchar_t* className, const std::wstring& command,
                                                       DWORD findMilliseconds, bool& gone) {
  gone = false;
  const ULONGLONG until = GetTickCount64() + findMilliseconds;
  HWND window = nullptr;
  while ((window = FindOtherProcessWindow(className)) == nullptr) {
    if (GetTickCount64() >= until) return std::nullopt;
    Sleep(50);
  }
  CommandReplyWindow reply(window);
  if (reply.Handle() == nullptr) return std::nullopt;
  COPYDATASTRUCT data{};
  data.dwData = kCommandCopyData;
  data.cbData = static_cast<DWORD>(command.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(command.data());
  DWORD_PTR answer = 0;
  // The running copy answers at once; a window that does not is hung and given up.
  if (SendMessageTimeoutW(window, WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Handle()),
                          reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, 30 * 1000, &answer) == 0) {
    return std::nullopt;
  }
  const auto answered = static_cast<LRESULT>(answer);
  if ((answered & kCommandQueued) == 0) {
    if ((answered & kCommandAnswered) == 0) return std::nullopt;
    return HandedOver{false, static_cast<std::uint32_t>(answered & 0xFFFFFFFF), {}};
  }
  // A connect waits for its server as long as it takes, while the window that runs it is there.
  MSG message{};
  while (!reply.Replied()) {
    if (!IsWindow(window)) {
      gone = true;
      return std::nullopt;
    }
    MsgWaitForMultipleObjects(0, nullptr, FALSE, 200, QS_ALLINPUT);
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
  }
  return HandedOver{true, 0, reply.Reply()};
}

void SendCommandReply(HWND from, HWND to, const std::wstring& reply) {
  COPYDATASTRUCT data{};
  data.dwData = kCommandReplyCopyData;
  data.cbData = static_cast<DWORD>(reply.size() * sizeof(wchar_t));
  data.lpData = const_cast<wchar_t*>(reply.data());
  DWORD_PTR answer = 0;
  // A caller that no longer waits (ended, or hung) costs a moment, never the window.
  if (IsWindow(to)) {
    SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from), reinterpret_cast<LPARAM>(&data),
                        SMTO_ABORTIFHUNG, 5000, &answer);
  }
}

}  // namespace velloway
