// A desktop shortcut that connects one button: its file name, its command line and its description.
#pragma once

#include <cstddef>

#include "core/ButtonRows.h"
#include "core/Text.h"

namespace velloway {

struct ButtonShortcut {
  Text fileName;     // "name.lnk", safe as a file name
  Text arguments;    // /connect "NAME", quoted as Windows splits a command line
  Text description;  // the button's folder
};

// The shortcut for the button at index. NAME is the button's Name when that finds this very button, else its
// Folder (two buttons of one name, a name that reads as a switch).
ButtonShortcut ShortcutForButton(const ButtonRows& buttons, size_t index);

// One argument quoted so that CommandLineToArgvW gives it back unchanged.
Text QuoteArgument(TextView argument);

}  // namespace velloway
