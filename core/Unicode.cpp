// Hand-written UTF-8 and UTF-16 codecs: the standard library's converters are deprecated.
#include "core/Unicode.h"

namespace velloway {
namespace {

constexpr char16_t kReplacement = u'\xFFFD';

void AppendCodePoint(Text& text, char32_t code) {
  if (code >= 0x10000) {
    code -= 0x10000;
    text.push_back(static_cast<char16_t>(0xD800 + (code >> 10)));
    text.push_back(static_cast<char16_t>(0xDC00 + (code & 0x3FF)));
  } else {
    text.push_back(static_cast<char16_t>(code));
  }
}

}  // namespace

std::string EncodeUtf8(TextView text) {
  std::string bytes;
  bytes.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size(); ++i) {
    char32_t code = text[i];
    if (code >= 0xD800 && code <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
      code = 0x10000 + ((code - 0xD800) << 10) + (text[i + 1] - 0xDC00);
      ++i;
    } else if (code >= 0xD800 && code <= 0xDFFF) {
      code = kReplacement;  // a lone surrogate has no UTF-8 form
    }
    if (code < 0x80) {
      bytes.push_back(static_cast<char>(code));
    } else if (code < 0x800) {
      bytes.push_back(static_cast<char>(0xC0 | (code >> 6)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else if (code < 0x10000) {
      bytes.push_back(static_cast<char>(0xE0 | (code >> 12)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    } else {
      bytes.push_back(static_cast<char>(0xF0 | (code >> 18)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
      bytes.push_back(static_cast<char>(0x80 | (code & 0x3F)));
    }
  }
  return bytes;
}

namespace {

// The length of the well-formed sequence at bytes[i] and its code, or a length of 0.
size_t ReadUtf8Sequence(std::string_view bytes, size_t i, char32_t& code) {
  const auto lead = static_cast<unsigned char>(bytes[i]);
  size_t length = 0;
  char32_t minimum = 0;
  if (lead < 0x80) {
    code = lead;
    return 1;
  } else if ((lead & 0xE0) == 0xC0) {
    length = 2, code = lead & 0x1F, minimum = 0x80;
  } else if ((lead & 0xF0) == 0xE0) {
    length = 3, code = lead & 0x0F, minimum = 0x800;
  } else if ((lead & 0xF8) == 0xF0) {
    length = 4, code = lead & 0x07, minimum = 0x10000;
  }
  if (length == 0 || i + length > bytes.size()) return 0;
  for (size_t k = 1; k < length; ++k) {
    const auto next = static_cast<unsigned char>(bytes[i + k]);
    if ((next & 0xC0) != 0x80) return 0;
    code = (code << 6) | (next & 0x3F);
  }
  const bool valid = code >= minimum && code <= 0x10FFFF && !(code >= 0xD800 && code <= 0xDFFF);
  return valid ? length : 0;
}

}  // namespace

Text DecodeUtf8(std::string_view bytes) {
  Text text;
  text.reserve(bytes.size());
  size_t i = 0;
  while (i < bytes.size()) {
    char32_t code = 0;
    const size_t length = ReadUtf8Sequence(bytes, i, code);
    if (length == 0) {
      text.push_back(kReplacement);
      ++i;
      continue;
    }
    AppendCodePoint(text, code);
    i += length;
  }
  return text;
}

bool IsWellFormedUtf8(std::string_view bytes) {
  size_t i = 0;
  while (i < bytes.size()) {
    char32_t code = 0;
    const size_t length = ReadUtf8Sequence(bytes, i, code);
    if (length == 0) return false;
    i += length;
  }
  return true;
}

Text DecodeUtf16(std::string_view bytes, bool bigEndian) {
  Text text;
  text.reserve(bytes.size() / 2);
  for (size_t i = 0; i + 1 < bytes.size(); i += 2) {
    const auto first = static_cast<unsigned char>(bytes[i]);
    const auto second = static_cast<unsigned char>(bytes[i + 1]);
    text.push_back(static_cast<char16_t>(bigEndian ? (first << 8) | second : (second << 8) | first));
  }
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    const bool high = c >= 0xD800 && c <= 0xDBFF;
    const bool lowNext = i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF;
    if (high && lowNext) {
      ++i;
    } else if (c >= 0xD800 && c <= 0xDFFF) {
      text[i] = kReplacement;
    }
  }
  return text;
}

}  // namespace velloway
