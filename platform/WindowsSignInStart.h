// SignInStart over the user's Run key: the value "Velloway" under HKCU\Software\Microsoft\Windows\CurrentVersion\Run,
// which Task Manager's start-up list also shows and turns off.
#pragma once

#include "core/SignInStart.h"

namespace velloway {

class WindowsSignInStart final : public SignInStart {
 public:
  bool Enabled() const override;
  std::uint32_t Enable(bool on) override;
};

// The full path of the running program.
Text ProgramPath();

}  // namespace velloway
