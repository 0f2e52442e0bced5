// The small marks a connect button shows beside its caption for its state, drawn at the window's DPI.
#pragma once

#include <windows.h>

#include <array>

#include "core/ButtonStates.h"
#include "ui/framework/ImageLists.h"

namespace velloway {

// One image list per state, in the order of ButtonState: a grey ring (not connected), a green dot
// (connected), an amber dot (waiting), a red dot with a white bar (needs a check); 10 × 10 at 96 DPI. For a
// button the administrator handed out, a dark blue square follows the mark (22 × 10).
std::array<UniqueImageList, 4> CreateStateMarks(UINT dpi, bool shared = false);

}  // namespace velloway
