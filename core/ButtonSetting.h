// One connect button's definition: the record the settings file holds a line of.
#pragma once

#include "core/Text.h"

namespace velloway {

struct ButtonSetting {
  Text Name;    // caption of the connect button
  Text Drive;   // drive letter to map to, or empty
  Text Folder;  // remote path, \\server\share
  Text ID;      // user name, or empty for the current logon
  Text Pass;    // the password as EncryptPassword gave it: upper-case hex

  bool operator==(const ButtonSetting&) const = default;
};

}  // namespace velloway
