// The one NetBIOS call the machine address needs, over a portable copy of the control block's used fields.
#pragma once

#include <array>
#include <cstdint>

namespace velloway {

inline constexpr std::uint8_t kNcbEnum = 0x37;
inline constexpr std::uint8_t kNcbReset = 0x32;
inline constexpr std::uint8_t kNcbAdapterStatus = 0x33;
inline constexpr std::uint8_t kNetBiosGoodReturn = 0x00;

// The fields of a control block that are ever set; every other field of the real block is zero.
struct NetBiosCommand {
  std::uint8_t command = 0;
  std::uint8_t lanaNumber = 0;
  std::array<std::uint8_t, 16> callName{};
  std::uint8_t* buffer = nullptr;
  std::uint16_t bufferLength = 0;
};

class NetBios {
 public:
  virtual ~NetBios() = default;
  // Runs one command on a freshly cleared control block, filling the buffer; returns the return code.
  virtual std::uint8_t Run(const NetBiosCommand& command) = 0;
};

}  // namespace velloway
