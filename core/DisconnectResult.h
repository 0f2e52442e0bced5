// What the outcome of closing a connection tells the user on the status line.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Text.h"

namespace velloway {

// "切断完了" for success; for a failure a text that says so, so that a failed close never looks as if
// nothing happened. Files open on the connection (2401) are asked about first, and have no text here.
Text DisconnectResultText(std::uint32_t resultCode);

}  // namespace velloway
