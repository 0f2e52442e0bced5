// NetBIOS through the real Netbios call of netapi32.
#pragma once

#include "core/NetBios.h"

namespace velloway {

class WindowsNetBios final : public NetBios {
 public:
  std::uint8_t Run(const NetBiosCommand& command) override;
};

}  // namespace velloway
