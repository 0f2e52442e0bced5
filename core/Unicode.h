// UTF-8 and UTF-16 byte forms of text, for settings files that carry a byte-order mark.
#pragma once

#include <string>
#include <string_view>

#include "Text.h"

namespace velloway {

std::string EncodeUtf8(TextView text);
// Malformed sequences become U+FFFD.
Text DecodeUtf8(std::string_view bytes);
// A trailing odd byte is dropped.
Text DecodeUtf16(std::string_view bytes, bool bigEndian);

}  // namespace velloway
