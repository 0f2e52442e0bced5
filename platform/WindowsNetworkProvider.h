// The network provider operations over mpr's WNet functions.
#pragma once

#include "core/NetworkProvider.h"

namespace velloway {

class WindowsNetworkProvider final : public NetworkProvider {
 public:
  std::uint32_t OpenEnum(std::uint32_t scope, std::uint32_t type, std::uint32_t usage, const NetResource* container,
                         std::unique_ptr<ResourceEnumeration>& enumeration) override;
  std::uint32_t AddConnection(const std::optional<Text>& localName, const Text& remote, const Text* user,
                              const Text* password) override;
  std::uint32_t CancelConnection(const Text& name, bool force) override;
  std::optional<Text> ConnectionUser(const Text& name) override;
};

}  // namespace velloway
