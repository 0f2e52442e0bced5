// Enumerates the NetBIOS adapters, resets each and asks its status; the last one to answer gives the address.
#include "core/U_GetMyMac.h"

namespace velloway {
namespace {

constexpr std::uint16_t kLanaEnumSize = 256;       // a count byte and up to 255 adapter numbers
constexpr std::uint16_t kAdapterStatusSize = 600;  // ADAPTER_STATUS and room for its name table

// "%.02X-%.02X-%.02X-%.02X-%.02X-%.02X": upper-case digits and hyphens, never colons.
Text FormatAddress(const std::uint8_t* address) {
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text text;
  for (int i = 0; i < 6; ++i) {
    if (i > 0) text += u'-';
    text += kDigits[address[i] >> 4];
    text += kDigits[address[i] & 0x0F];
  }
  return text;
}

}  // namespace

std::vector<Text> GetMyMacs(NetBios& netBios) {
  std::vector<Text> result;
  std::array<std::uint8_t, kLanaEnumSize> lanaEnum{};
  // The return code is not examined: on failure the count byte stays zero.
  netBios.Run({.command = kNcbEnum, .buffer = lanaEnum.data(), .bufferLength = kLanaEnumSize});

  const unsigned count = lanaEnum[0];
  for (unsigned i = 1; i <= count; ++i) {
    const std::uint8_t lana = lanaEnum[i];
    netBios.Run({.command = kNcbReset, .lanaNumber = lana});

    std::array<std::uint8_t, kAdapterStatusSize> status{};
    // "* " padded with zeros: the status of the local adapter itself.
    NetBiosCommand askStatus{
        .command = kNcbAdapterStatus, .lanaNumber = lana, .buffer = status.data(), .bufferLength = kAdapterStatusSize};
    askStatus.callName[0] = 0x2A;
    askStatus.callName[1] = 0x20;
    if (netBios.Run(askStatus) == kNetBiosGoodReturn) {
      Text address = FormatAddress(status.data());
      std::erase(result, address);
      result.push_back(std::move(address));
    }
  }
  return result;
}

Text GetMyMac(NetBios& netBios) {
  std::vector<Text> addresses = GetMyMacs(netBios);
  return addresses.empty() ? Text() : std::move(addresses.back());
}

}  // namespace velloway
