// A NetBIOS stand-in with a chosen list of adapters, so that tests pick the machine address; it records
// every command it is given.
#pragma once

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

#include "core/NetBios.h"

namespace velloway::testing {

struct FakeAdapter {
  std::uint8_t lana = 0;
  std::uint8_t statusReturn = kNetBiosGoodReturn;  // what the status command answers
  std::array<std::uint8_t, 6> address{};
};

class FakeNetBios final : public NetBios {
 public:
  explicit FakeNetBios(std::vector<FakeAdapter> adapters = {}) : adapters_(std::move(adapters)) {}

  std::uint8_t Run(const NetBiosCommand& command) override {
    calls.push_back(command);
    switch (command.command) {
      case kNcbEnum:
        command.buffer[0] = static_cast<std::uint8_t>(adapters_.size());
        for (std::size_t i = 0; i < adapters_.size(); ++i) command.buffer[1 + i] = adapters_[i].lana;
        return kNetBiosGoodReturn;
      case kNcbAdapterStatus: {
        const auto adapter = std::find_if(adapters_.begin(), adapters_.end(),
                                          [&](const FakeAdapter& a) { return a.lana == command.lanaNumber; });
        if (adapter == adapters_.end()) return 0x23;  // NRC_BRIDGE: no such adapter
        // A refusing adapter still scribbles on the area, which must then be ignored.
        std::fill_n(command.buffer, command.bufferLength, std::uint8_t{0xEE});
        if (adapter->statusReturn == kNetBiosGoodReturn) {
          std::copy(adapter->address.begin(), adapter->address.end(), command.buffer);
        }
        return adapter->statusReturn;
      }
      default: return kNetBiosGoodReturn;
    }
  }

  std::vector<NetBiosCommand> calls;

 private:
  std::vector<FakeAdapter> adapters_;
};

}  // namespace velloway::testing
