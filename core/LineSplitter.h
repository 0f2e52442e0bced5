// Splitting one settings line into its comma-separated fields.
#pragma once

#include <vector>

#include "Text.h"

namespace velloway {

// Fields are separated by commas. A field that begins with a double quote runs to its closing quote,
// "" inside standing for one quote; text after the closing quote, up to the next comma, is a field of
// its own. A comma at the very end gives a final empty field; an empty line gives no fields.
std::vector<Text> SplitFields(TextView line);

}  // namespace velloway
