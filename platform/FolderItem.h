// A folder as the shell sees it: parsed once from its path, so that the item checked is the item opened.
#pragma once

#include <windows.h>
#include <shlobj.h>

#include "core/Text.h"
#include "platform/UniqueAny.h"

namespace velloway {

namespace detail {
inline void FreeItemIdList(PIDLIST_ABSOLUTE list) noexcept { ::CoTaskMemFree(list); }
}  // namespace detail

using UniqueItemIdList = UniqueAny<PIDLIST_ABSOLUTE, detail::FreeItemIdList>;

// The shell's item for path when the shell reports a folder, empty for anything else (a file, a stream that
// also browses as a folder such as a .zip) and for a path it cannot parse. For a share path this asks the
// server: never on a window's thread. Call it with COM entered.
UniqueItemIdList ParseFolderItem(const Text& path);

// Opens that very item in Explorer (no window owns it: the calling thread may be gone soon); false when the
// shell could not.
bool OpenFolderItem(const UniqueItemIdList& folder);

}  // namespace velloway
