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

// The name of the number-th choice for a file named fileName, when the earlier ones are taken: fileName itself
// first, then "name (2).ext", "name (3).ext", ... as Explorer numbers copies.
Text NumberedFileName(TextView fileName, size_t number);

// One argument quoted so that CommandLineToArgvW gives it back unchanged.
Text QuoteArgument(TextView argument);

}  // namespace velloway
