// The local time as people here write it: "2026-12-11 09:30:00".
#pragma once

#include "core/Text.h"

namespace velloway {

Text LocalTimeText();

}  // namespace velloway
