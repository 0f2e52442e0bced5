// Opening a drive root or a share's folder in Explorer.
#pragma once

#include <windows.h>

#include "core/Text.h"

namespace velloway {

class ShellOpener {
 public:
  virtual ~ShellOpener() = default;
  // Opens target, a drive root or a share path that was found to be a folder, as a folder in Explorer (owner:
  // the window it is opened for), and returns at once. Anything else is not opened. Explorer reports its own
  // errors.
  virtual void Open(HWND owner, const Text& target) = 0;
};

// The shell's own check and open of the item, on a thread of its own (see ParseFolderItem).
class WindowsShellOpener final : public ShellOpener {
 public:
  void Open(HWND owner, const Text& target) override;
};

}  // namespace velloway
