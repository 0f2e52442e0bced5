// Copies a command into a zeroed NCB and runs it synchronously.
#include "platform/WindowsNetBios.h"

#include <windows.h>
#include <nb30.h>

#include <algorithm>

namespace velloway {

static_assert(kNcbEnum == NCBENUM && kNcbReset == NCBRESET && kNcbAdapterStatus == NCBASTAT);
static_assert(kNetBiosGoodReturn == NRC_GOODRET);
static_assert(std::tuple_size_v<decltype(NetBiosCommand::callName)> == NCBNAMSZ);

std::uint8_t WindowsNetBios::Run(const NetBiosCommand& command) {
  NCB block{};
  block.ncb_command = command.command;
  block.ncb_lana_num = command.lanaNumber;
  std::copy(command.callName.begin(), command.callName.end(), block.ncb_callname);
  block.ncb_buffer = command.buffer;
  block.ncb_length = command.bufferLength;
  return Netbios(&block);
}

}  // namespace velloway
