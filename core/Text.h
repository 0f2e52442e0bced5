// Text as the whole program holds it: UTF-16 on every platform, plus the trimming rule of drive letters.
#pragma once

#include <string>
#include <string_view>

namespace velloway {

using Text = std::u16string;
using TextView = std::u16string_view;

// Removes leading and trailing characters whose code is at most that of the space.
Text Trim(TextView text);

// A number in decimal digits, as messages show result codes and counts.
Text NumberText(unsigned long long value);

// The text with a-z made A-Z and nothing else changed: switches, keywords and share names compare so.
Text AsciiUpper(TextView text);

// Whether text holds a control character (U+0000 to U+001F, U+007F): a line break in a name would split a
// line of the settings file, and none belongs in a name, a path or a user name.
bool HasControlCharacter(TextView text);
// The text with each control character shown as its code in brackets ("a\nb" → "a[0A]b"), for a log line.
Text ShowControlCharacters(TextView text);

}  // namespace velloway
