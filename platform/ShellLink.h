// Shell links (.lnk files) through IShellLinkW, and the folder of the user's desktop.
#pragma once

#include <cstdint>

#include "core/Text.h"

namespace velloway {

struct ShellLinkDetails {
  Text target;     // the program the link runs
  Text arguments;  // its command line after the program
  Text iconFile;   // the file whose first icon the link shows
  Text description;
};

// Writes the link at path, replacing one that is there. 0, or the HRESULT of the step that failed.
std::uint32_t WriteShellLink(const Text& path, const ShellLinkDetails& details);

// Writes the link in folder under fileName, or when a file of that name is there, under the first free name of
// NumberedFileName's: no file of the user's is replaced. 0 and the name written in writtenName, or the
// HRESULT or system error code of the step that failed.
std::uint32_t WriteNewShellLink(const Text& folder, const Text& fileName, const ShellLinkDetails& details,
                                Text& writtenName);

// The user's desktop folder, or empty when the shell cannot give it.
Text DesktopFolder();

}  // namespace velloway
