// The version of Windows the program runs on, as IT reads it.
#pragma once

#include "core/Text.h"

namespace velloway {

// "10.0.19045": major, minor and build, as the system itself reports them (GetVersionEx may answer an older
// version to a program whose manifest does not name the newest).
Text WindowsVersionText();

}  // namespace velloway
