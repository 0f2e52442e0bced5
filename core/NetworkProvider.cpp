// Reading an enumeration level to its end.
#include "NetworkProvider.h"

namespace velloway {

std::vector<NetResource> ReadAllRecords(ResourceEnumeration& enumeration) {
  // Read until "no more items": a single read would drop every entry beyond its buffer.
  std::vector<NetResource> all;
  std::vector<NetResource> batch;
  while (enumeration.Next(batch) == kNoError) {
    if (batch.empty()) break;  // a provider that answers success without records would loop for ever
    all.insert(all.end(), std::make_move_iterator(batch.begin()), std::make_move_iterator(batch.end()));
  }
  return all;
}

bool IsKeptResource(const NetResource& record) {
  return !record.RemoteName.empty() && record.Provider == kWindowsNetwork;
}

}  // namespace velloway
