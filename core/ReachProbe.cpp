// The reach diagnosis's questions in order, and what their answers say.
#include "core/ReachProbe.h"

namespace velloway {

ReachProbes ProbeReach(const ReachProbe& probe, const Text& host) {
  ReachProbes found;
  found.nameResolves = probe.Resolves(host);
  if (!found.nameResolves) return found;
  found.port445 = probe.Accepts(host, kSmbPort);
  if (!*found.port445) found.port139 = probe.Accepts(host, kNetBiosSessionPort);
  return found;
}

}  // namespace velloway
