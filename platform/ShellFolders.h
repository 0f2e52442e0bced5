// Folders the shell knows.
#pragma once

#include "core/Text.h"

namespace velloway {

// The per-user application data folder, created if it is missing. When the shell cannot give it,
// the folder of the program itself, so that the settings still have a home.
Text ApplicationDataFolder();

}  // namespace velloway
