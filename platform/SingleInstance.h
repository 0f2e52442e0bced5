// One running copy of the program per user session: a second start hands over to the first instead of making
// a second set of windows (two would both write the settings).
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

#include "platform/UniqueAny.h"

namespace velloway {

class SingleInstance {
 public:
  SingleInstance() noexcept;
  SingleInstance(const SingleInstance&) = delete;
  SingleInstance& operator=(const SingleInstance&) = delete;
  // Whether no other copy was running when this one started.
  bool First() const noexcept { return first_; }

 private:
  UniqueHandle mutex_;
  bool first_ = true;
};

// Brings the main window of the running copy (a top-level window of this class in another process) to the
// front, restored if minimised; it may still be being made, so it is looked for up to waitMilliseconds.
bool ActivateRunningInstance(const wchar_t* className, DWORD waitMilliseconds);

// WM_COPYDATA's dwData for a command handed to the running copy (its arguments as EncodeHandedOverArguments
// makes them; wParam the window that takes the reply). Its window answers at once: (1 << 32) | an exit code when
// it will not run it (busy, or not a command it takes), or kCommandQueued when it runs it once the current
// message is done, and then sends the reply (EncodeCommandReply) to that window with kCommandReplyCopyData.
// An older copy knows neither and answers 0: the command then runs in a copy of its own.
inline constexpr ULONG_PTR kCommandCopyData = 0x564C5732;       // "VLW2"
inline constexpr ULONG_PTR kCommandReplyCopyData = 0x564C5752;  // "VLWR"
inline constexpr LRESULT kCommandAnswered = LRESULT{1} << 32;
inline constexpr LRESULT kCommandQueued = LRESULT{1} << 33;

// The window a second start takes the running copy's reply at: message-only, so that nothing else finds it, and
// taking only what the window the command went to (from) sends.
class CommandReplyWindow {
 public:
  explicit CommandReplyWindow(HWND from);
  CommandReplyWindow(const CommandReplyWindow&) = delete;
  CommandReplyWindow& operator=(const CommandReplyWindow&) = delete;
  HWND Handle() const noexcept { return window_.get(); }
  bool Replied() const noexcept { return replied_; }
  const std::wstring& Reply() const noexcept { return reply_; }

 private:
  static constexpr wchar_t kClassName[] = L"VellowayCommandReply";
  static constexpr DWORD kLongestReplyBytes = 64 * 1024;
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  HWND from_;
  UniqueWindow window_;
  bool replied_ = false;
  std::wstring reply_;
};

// What the running copy made of a handed-over command.
struct HandedOver {
  bool replied = false;  // a reply came (else: code alone, from the immediate answer)
  std::uint32_t code = 0;
  std::wstring reply;  // the reply as sent, for DecodeCommandReply
};

// Hands a command (encoded) to the running copy's main window and waits for what it made of it, as long as that
// window exists; none when no window takes it. gone: the window went before it replied.
std::optional<HandedOver> SendCommandToRunningInstance(const wchar_t* className, const std::wstring& command,
                                                       DWORD findMilliseconds, bool& gone);

// Sends the reply to a handed-over command to the window that waits for it (from the running copy).
void SendCommandReply(HWND from, HWND to, const std::wstring& reply);

}  // namespace velloway
