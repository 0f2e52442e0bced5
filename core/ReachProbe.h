// The questions behind a reach diagnosis, asked of the network on the worker: does the server's name resolve,
// does it take a TCP connection on a port. Each answers within a few seconds.
#pragma once

#include <cstdint>

#include "core/ReachDiagnosis.h"
#include "core/Text.h"

namespace velloway {

class ReachProbe {
 public:
  virtual ~ReachProbe() = default;
  virtual bool Resolves(const Text& host) const = 0;
  virtual bool Accepts(const Text& host, std::uint16_t port) const = 0;
};

inline constexpr std::uint16_t kSmbPort = 445;
inline constexpr std::uint16_t kNetBiosSessionPort = 139;

// The name first; then 445, and 139 only when 445 does not answer. host: the server part of a share path.
ReachProbes ProbeReach(const ReachProbe& probe, const Text& host);

}  // namespace velloway
