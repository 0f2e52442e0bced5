// ReachProbe over Winsock: the resolver and a TCP connection attempt, each bounded in time.
#pragma once

#include "core/ReachProbe.h"

namespace velloway {

class WindowsReachProbe final : public ReachProbe {
 public:
  bool Resolves(const Text& host) const override;
  bool Accepts(const Text& host, std::uint16_t port) const override;
};

}  // namespace velloway
