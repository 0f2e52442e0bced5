// ShellExecuteW with the verb "open".
#include "ShellOpener.h"

#include <shellapi.h>

#include "WinText.h"

namespace velloway {

void WindowsShellOpener::Open(HWND owner, const Text& target) {
  ShellExecuteW(owner, L"open", ToWide(target).c_str(), L"", L"", SW_SHOWNORMAL);
}

}  // namespace velloway
