// The four node pictures of the network tree, drawn at the window's DPI.
#pragma once

#include <windows.h>

#include "ui/framework/ImageLists.h"

namespace velloway {

// 0 a computer, 1 a folder, 2 a printer, 3 a network; 16 × 16 at 96 DPI.
UniqueImageList CreateNodePictures(UINT dpi);

}  // namespace velloway
