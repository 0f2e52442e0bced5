// The settings file's bytes: one line of five fields per setting, read from and written to the list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "AnsiCodePage.h"
#include "SettingsList.h"

namespace velloway {

// The file's text: a byte-order mark selects UTF-8 or UTF-16 (LE or BE); without one the bytes are
// in the ANSI code page.
Text DecodeSettingsText(std::string_view bytes, const AnsiCodePage& codePage);

// Lines split at CR LF, CR or LF; a break at the very end makes no extra line.
std::vector<Text> SplitLines(TextView text);

// Every line of the file as a setting. Blank lines are skipped; a line with fewer than five fields
// leaves the missing ones empty, so that nothing in the file is lost at the next save.
std::vector<ButtonSetting> ParseSettings(std::string_view bytes, const AnsiCodePage& codePage);

// The line of one setting, without its line break.
Text FormatSettingLine(const ButtonSetting& setting);

// The whole file: every line followed by CR LF, in the ANSI code page; an empty list gives no bytes.
// When some text is not representable in the code page the file is UTF-8 with a byte-order mark
// instead, so that no character is saved as '?'.
std::string FormatSettings(const SettingsList& list, const AnsiCodePage& codePage);

}  // namespace velloway
