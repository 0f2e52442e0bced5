// Folders open in Explorer as the shell's item, checked to be a folder, on a short thread of their own.
#include "ui/services/ShellOpener.h"

#include <system_error>
#include <thread>
#include <utility>

#include "core/SharePath.h"
#include "platform/ComScope.h"
#include "platform/FolderItem.h"

namespace velloway {

// Only a drive root or a share path is passed on. The path is parsed once, and the item that was found to be a
// folder is the one opened: a server that answers "folder" to the check and then "file" to Explorer gets
// nothing run. The parse asks the server, so it runs off the window's thread, on a thread that nobody waits
// for: one that never returns holds up neither the window nor the program's exit.
void WindowsShellOpener::Open(HWND, const Text& target) {
  Text path;
  if (IsDriveRoot(target)) {
    path = target.substr(0, 2) + u"\\";
  } else if (IsSharePath(target)) {
    path = target;
    while (path.ends_with(u'\\')) path.pop_back();
  } else {
    return;
  }
  try {
    std::thread([path = std::move(path)] {
      const ComScope com;
      OpenFolderItem(ParseFolderItem(path));
    }).detach();
  } catch (const std::system_error&) {
    // No thread to be had: nothing opens, as when Explorer cannot start.
  }
}

}  // namespace velloway
