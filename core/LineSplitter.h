// Splitting the settings file into lines and one line into its comma-separated fields, on text or on the
// raw bytes of a byte encoding (in UTF-8 and in code page 932 no byte of a character is a comma, a double
// quote, CR or LF, so splitting before decoding gives the same fields and a damaged character cannot
// swallow a separator).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/Text.h"

namespace velloway {

// Lines split at CR LF, CR or LF; a break at the very end makes no extra line.
std::vector<TextView> SplitLines(TextView text);
std::vector<std::string_view> SplitLines(std::string_view bytes);

// Fields are separated by commas. A field that begins with a double quote runs to its closing quote,
// "" inside standing for one quote; text after the closing quote, up to the next comma, is a field of
// its own. A comma at the very end gives a final empty field; an empty line gives no fields.
std::vector<Text> SplitFields(TextView line);
std::vector<std::string> SplitFields(std::string_view line);

}  // namespace velloway
