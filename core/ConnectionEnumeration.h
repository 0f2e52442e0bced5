// The walk that lists the current disk connections.
#pragma once

#include <vector>

#include "core/NetworkProvider.h"

namespace velloway {

// Appends the local and remote names of every current disk connection of the Windows network below
// container (the top level when none), descending into containers (never into one already on the way
// down, nor deeper than a walk goes); failures list fewer, silently.
void EnumerateConnections(NetworkProvider& provider, const NetResource* container, std::vector<Text>& locals,
                          std::vector<Text>& remotes);

}  // namespace velloway
