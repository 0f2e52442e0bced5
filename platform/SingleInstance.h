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

// WM_COPYDATA's dwData for a command handed to the running copy; its window answers (1 << 32) | exit code.
inline constexpr ULONG_PTR kCommandCopyData = 0x564C5731;  // "VLW1"
inline constexpr LRESULT kCommandAnswered = LRESULT{1} << 32;

// Hands a command (its arguments, as one text) to the running copy's main window and waits for its exit code;
// none when no window answers.
std::optional<std::uint32_t> SendCommandToRunningInstance(const wchar_t* className, const std::wstring& command,
                                                          DWORD findMilliseconds);

}  // namespace velloway
