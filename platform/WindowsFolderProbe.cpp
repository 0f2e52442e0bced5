// A folder is what the file system reports with the directory attribute.
#include "platform/WindowsFolderProbe.h"

#include <windows.h>

#include "platform/WinText.h"

namespace velloway {

bool WindowsFolderProbe::IsFolder(const Text& path) const {
  const DWORD attributes = GetFileAttributesW(ToWide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace velloway
