// UTF-8 and UTF-16 byte forms of text, for settings files that carry a byte-order mark.
#pragma once

#include <string>
#include <string_view>

#include "core/Text.h"

namespace velloway {

std::string EncodeUtf8(TextView text);
// Malformed sequences become U+FFFD.
Text DecodeUtf8(std::string_view bytes);
// True when the bytes are well-formed UTF-8 (no overlong forms, surrogates or codes past U+10FFFF).
bool IsWellFormedUtf8(std::string_view bytes);
// A trailing odd byte is dropped; a surrogate without its partner becomes U+FFFD, as it would on
// its way to UTF-8, so that the text reads the same after a save.
Text DecodeUtf16(std::string_view bytes, bool bigEndian);

}  // namespace velloway
