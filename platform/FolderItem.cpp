// Parsing a path into the shell's item, keeping it only as a folder, and opening that item.
#include "platform/FolderItem.h"

#include <shellapi.h>

#include "platform/WinText.h"

namespace velloway {

UniqueItemIdList ParseFolderItem(const Text& path) {
  UniqueItemIdList item;
  SFGAOF attributes = 0;
  // The attributes come with the parse, from the same answer of the file system or the server as the item.
  const HRESULT result =
      SHParseDisplayName(ToWide(path).c_str(), nullptr, item.put(), SFGAO_FOLDER | SFGAO_STREAM, &attributes);
  // Wine leaves the attributes undefined when the parse fails: only a parsed item's count.
  if (FAILED(result) || !item) return UniqueItemIdList();
  if ((attributes & SFGAO_FOLDER) == 0 || (attributes & SFGAO_STREAM) != 0) return UniqueItemIdList();
  return item;
}

bool OpenFolderItem(const UniqueItemIdList& folder) {
  if (!folder) return false;
  SHELLEXECUTEINFOW execute{};
  execute.cbSize = sizeof execute;
  // The item, not its path: a path would be looked up again, and could then name something else. NOASYNC
  // because the thread that asks may end right after.
  execute.fMask = SEE_MASK_IDLIST | SEE_MASK_NOASYNC | SEE_MASK_FLAG_NO_UI;
  execute.lpVerb = L"open";
  execute.lpIDList = folder.get();
  execute.nShow = SW_SHOWNORMAL;
  return ShellExecuteExW(&execute) != FALSE;
}

}  // namespace velloway
