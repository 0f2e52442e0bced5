// What the outcome of a connection attempt means to the user: the status text, and whether the drive
// or folder is opened afterwards.
#pragma once

#include <cstdint>

#include "core/Text.h"

namespace velloway {

struct ConnectOutcome {
  Text status;
  bool open = false;
};

// The status text and open flag for a result code of WNetAddConnection2W; remote is the folder
// that was connected, as the texts for a missing folder name it.
ConnectOutcome ConnectResultText(std::uint32_t resultCode, const Text& remote);

}  // namespace velloway
