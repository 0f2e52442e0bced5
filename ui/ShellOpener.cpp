// Folders open in Explorer, started with the folder as its argument.
#include "ui/ShellOpener.h"

#include <string>

#include "core/SharePath.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"

namespace velloway {

// Explorer is given the folder itself: a file association is never asked, so a path that turned out to name
// a program or a document opens nothing of it. Anything but a drive root or a share path is not passed on.
void WindowsShellOpener::Open(HWND, const Text& target) {
  std::wstring argument;
  if (IsDriveRoot(target)) {
    argument = ToWide(target.substr(0, 2)) + L"\\";  // no quotes: a "\" before a quote would escape it
  } else if (IsSharePath(target)) {
    Text path = target;
    while (path.ends_with(u'\\')) path.pop_back();
    argument = L"\"" + ToWide(path) + L"\"";
  } else {
    return;
  }
  wchar_t windows[MAX_PATH + 1] = {};
  if (GetWindowsDirectoryW(windows, MAX_PATH + 1) == 0) return;
  const std::wstring program = std::wstring(windows) + L"\\explorer.exe";
  std::wstring commandLine = L"\"" + program + L"\" " + argument;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = SW_SHOWNORMAL;
  PROCESS_INFORMATION process{};
  if (CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                     &process)) {
    const UniqueHandle thread(process.hThread);
    const UniqueHandle started(process.hProcess);
  }
}

}  // namespace velloway
