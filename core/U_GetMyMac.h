// The hardware address of a network adapter of this machine, as text: the machine's part of the password key.
#pragma once

#include <vector>

#include "core/NetBios.h"
#include "core/Text.h"

namespace velloway {

// Six bytes as "00-1A-2B-3C-4D-5E" from the last adapter that answers the status command, or the empty
// text when none answers. Asks NetBIOS afresh at every call.
Text GetMyMac(NetBios& netBios);

// The addresses of every adapter that answers, in the order asked, each once: GetMyMac's is the last.
std::vector<Text> GetMyMacs(NetBios& netBios);

}  // namespace velloway
