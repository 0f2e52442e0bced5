// The four node pictures of the network tree, drawn at the window's DPI.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "platform/UniqueAny.h"

namespace velloway {

namespace detail {
inline void DestroyImageList(HIMAGELIST list) noexcept { ::ImageList_Destroy(list); }
}  // namespace detail

using UniqueImageList = UniqueAny<HIMAGELIST, detail::DestroyImageList>;

// 0 a computer, 1 a folder, 2 a printer, 3 a network; 16 × 16 at 96 DPI.
UniqueImageList CreateNodePictures(UINT dpi);

}  // namespace velloway
