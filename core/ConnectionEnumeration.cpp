// The current connections walk.
#include "ConnectionEnumeration.h"

namespace velloway {

void EnumerateConnections(NetworkProvider& provider, const NetResource* container, std::vector<Text>& locals,
                          std::vector<Text>& remotes) {
  std::unique_ptr<ResourceEnumeration> enumeration;
  if (provider.OpenEnum(kResourceConnected, kResourceTypeDisk, 0, container, enumeration) != kNoError ||
      !enumeration) {
    return;
  }
  for (const NetResource& record : ReadAllRecords(*enumeration)) {
    if (!IsKeptResource(record)) continue;
    locals.push_back(record.LocalName);
    remotes.push_back(record.RemoteName);
    if (record.IsContainer()) EnumerateConnections(provider, &record, locals, remotes);
  }
}

}  // namespace velloway
