// Trimming of spaces and control characters, and finding them.
#include "core/Text.h"

#include <string>

namespace velloway {
namespace {

bool IsControl(char16_t c) { return c < u' ' || c == u'\x7F'; }

}  // namespace

Text Trim(TextView text) {
  size_t first = 0;
  size_t last = text.size();
  while (first < last && text[first] <= u' ') ++first;
  while (last > first && text[last - 1] <= u' ') --last;
  return Text(text.substr(first, last - first));
}

Text NumberText(unsigned long long value) {
  const std::string digits = std::to_string(value);
  return Text(digits.begin(), digits.end());
}

Text AsciiUpper(TextView text) {
  Text upper(text);
  for (char16_t& c : upper) {
    if (c >= u'a' && c <= u'z') c = static_cast<char16_t>(c - u'a' + u'A');
  }
  return upper;
}

bool HasControlCharacter(TextView text) {
  for (char16_t c : text) {
    if (IsControl(c)) return true;
  }
  return false;
}

Text ShowControlCharacters(TextView text) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text shown;
  for (char16_t c : text) {
    if (IsControl(c)) {
      shown += u'[';
      shown += kDigits[c >> 4];
      shown += kDigits[c & 0xF];
      shown += u']';
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace velloway
