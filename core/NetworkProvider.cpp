// Reading an enumeration level to its end.
#include "core/NetworkProvider.h"

namespace velloway {

std::vector<NetResource> ReadAllRecords(ResourceEnumeration& enumeration, const std::function<bool()>& stopped) {
  // Read until "no more items": a single read would drop every entry beyond its buffer.
  std::vector<NetResource> all;
  std::vector<NetResource> batch;
  while (!(stopped && stopped()) && enumeration.Next(batch) == kNoError) {
    if (batch.empty()) break;  // a provider that answers success without records would loop for ever
    all.insert(all.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  }
  return all;
}

bool IsKeptResource(const NetResource& record) {
  return !record.RemoteName.empty() && record.Provider == kWindowsNetwork;
}

namespace {

char16_t UpperAscii(char16_t c) { return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c; }

}  // namespace

bool SameResourceName(TextView a, TextView b) {
  if (a.ends_with(u'\\')) a.remove_suffix(1);
  if (b.ends_with(u'\\')) b.remove_suffix(1);
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    if (UpperAscii(a[i]) != UpperAscii(b[i])) return false;
  }
  return true;
}

bool StopsWalk(const NetResource& record, const std::vector<Text>& path) {
  if (path.size() >= static_cast<size_t>(kMostWalkDepth)) return true;
  for (const Text& ancestor : path) {
    if (SameResourceName(ancestor, record.RemoteName)) return true;
  }
  return false;
}

}  // namespace velloway
