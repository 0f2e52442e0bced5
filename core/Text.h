// Text as the whole program holds it: UTF-16 on every platform, plus the trimming rule of drive letters.
#pragma once

#include <string>
#include <string_view>

namespace velloway {

using Text = std::u16string;
using TextView = std::u16string_view;

// Removes leading and trailing characters whose code is at most that of the space.
Text Trim(TextView text);

}  // namespace velloway
