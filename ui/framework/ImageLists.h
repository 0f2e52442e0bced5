// The owner of an image list, for the pictures and marks that several windows draw.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/UniqueAny.h"

namespace velloway {

namespace detail {
inline void DestroyImageList(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }
}  // namespace detail

using UniqueImageList = UniqueAny<HIMAGELIST, detail::DestroyImageList>;

}  // namespace velloway
