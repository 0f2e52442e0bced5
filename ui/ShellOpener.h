// The shell's "open" of a drive root or a folder.
#pragma once

#include <windows.h>

#include "Text.h"

namespace velloway {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Opens target with owner as the owner window; the shell reports its own errors.
  virtual void Open(HWND owner, const Text& target) = 0;
};

class WindowsShellOpener final : public ShellOpener {
 public:
  void Open(HWND owner, const Text& target) override;
};

}  // namespace velloway
