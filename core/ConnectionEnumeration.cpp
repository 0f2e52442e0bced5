// The current connections walk.
#include "core/ConnectionEnumeration.h"

namespace velloway {
namespace {

// path: the remote names of the containers above this level.
void Enumerate(NetworkProvider& provider, const NetResource* container, std::vector<Text>& path,
               std::vector<Text>& locals, std::vector<Text>& remotes) {
  std::unique_ptr<ResourceEnumeration> enumeration;
  if (provider.OpenEnum(kResourceConnected, kResourceTypeDisk, 0, container, enumeration) != kNoError || !enumeration) {
    return;
  }
  for (const NetResource& record : ReadAllRecords(*enumeration)) {
    if (!IsKeptResource(record)) continue;
    locals.push_back(record.LocalName);
    remotes.push_back(record.RemoteName);
    if (!record.IsContainer() || StopsWalk(record, path)) continue;
    path.push_back(record.RemoteName);
    Enumerate(provider, &record, path, locals, remotes);
    path.pop_back();
  }
}

}  // namespace

void EnumerateConnections(NetworkProvider& provider, const NetResource* container, std::vector<Text>& locals,
                          std::vector<Text>& remotes) {
  std::vector<Text> path;
  if (container != nullptr) path.push_back(container->RemoteName);
  Enumerate(provider, container, path, locals, remotes);
}

}  // namespace velloway
