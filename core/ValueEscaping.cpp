// The four escape tokens and the two scans over them; control characters as spaces.
#include "core/ValueEscaping.h"

#include <array>

namespace velloway {
namespace {

struct Escape {
  char16_t character;
  TextView token;
};

constexpr std::array<Escape, 4> kEscapes{{
    {u'"', u"[&dblq;]"},
    {u'\'', u"[&sinq;]"},
    {u',', u"[&conm;]"},
    {u'&', u"[&amp;]"},
}};

}  // namespace

Text MyEncode(TextView value) {
  Text result;
  result.reserve(value.size());
  for (char16_t c : value) {
    TextView replacement(&c, 1);
    for (const Escape& escape : kEscapes) {
      if (escape.character == c) replacement = escape.token;
    }
    result.append(replacement);
  }
  return result;
}

Text MyDecode(TextView value) {
  Text result;
  result.reserve(value.size());
  size_t position = 0;
  while (position < value.size()) {
    const Escape* found = nullptr;
    if (value[position] == u'[') {
      for (const Escape& escape : kEscapes) {
        if (value.substr(position, escape.token.size()) == escape.token) found = &escape;
      }
    }
    if (found != nullptr) {
      result.push_back(found->character);
      position += found->token.size();
    } else {
      result.push_back(value[position]);
      ++position;
    }
  }
  return result;
}

Text WithoutControls(TextView value) {
  Text clean(value);
  for (char16_t& c : clean) {
    if (c < u' ' || c == u'\x7f') c = u' ';
  }
  return clean;
}

}  // namespace velloway
