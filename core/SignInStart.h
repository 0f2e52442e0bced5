// Starting the program when the user signs in to Windows: the switch on its command line, and the place that
// says whether Windows does so.
#pragma once

#include <cstdint>

#include "core/Text.h"

namespace velloway {

// Started this way, the main window comes up minimised and does not take the focus.
inline constexpr char16_t kSignInSwitch[] = u"/signin";

// The command Windows runs at sign-in: the program's full path in quotes, then the switch.
Text SignInCommand(const Text& programPath);

// Whether a command line (the arguments after the program's name) holds the sign-in switch, either case.
bool HasSignInSwitch(TextView arguments);

class SignInStart {
 public:
  virtual ~SignInStart() = default;
  // Whether Windows starts the program at sign-in now (the user may have turned it off elsewhere).
  virtual bool Enabled() const = 0;
  // 0 when done, else the platform's error code.
  virtual std::uint32_t Enable(bool on) = 0;
};

}  // namespace velloway
