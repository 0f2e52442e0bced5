// Text as the ...W calls take it: wchar_t is UTF-16 on Windows, so the conversion is a copy.
#pragma once

#include <string>

#include "core/Text.h"

namespace velloway {

inline std::wstring ToWide(TextView text) { return std::wstring(text.begin(), text.end()); }

inline Text FromWide(std::wstring_view text) { return Text(text.begin(), text.end()); }

// NULL reads as the empty text.
inline Text FromWide(const wchar_t* text) { return text == nullptr ? Text() : FromWide(std::wstring_view(text)); }

}  // namespace velloway
