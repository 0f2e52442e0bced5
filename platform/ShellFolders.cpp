// SHGetSpecialFolderPathW for the application data folder.
#include "platform/ShellFolders.h"

#include <windows.h>
#include <shlobj.h>

#include "platform/WinText.h"

namespace velloway {

Text ApplicationDataFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (SHGetSpecialFolderPathW(nullptr, folder, CSIDL_APPDATA, TRUE)) return FromWide(folder);

  wchar_t program[MAX_PATH] = {};
  const DWORD length = GetModuleFileNameW(nullptr, program, MAX_PATH);
  Text path = FromWide(std::wstring_view(program, length));
  const size_t separator = path.find_last_of(u'\\');
  return separator == Text::npos ? Text(u".") : path.substr(0, separator);
}

}  // namespace velloway
