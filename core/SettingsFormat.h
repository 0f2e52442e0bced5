// The settings file's bytes: one line of five fields per setting, read from and written to the list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/AnsiCodePage.h"
#include "core/SettingsList.h"

namespace velloway {

enum class SettingsEncoding { Ansi, Utf8, Utf8WithMark, Utf16Le, Utf16Be };

// How a file's bytes are read: a byte-order mark selects UTF-8 or UTF-16; without one, bytes that are
// well-formed UTF-8 and hold something beyond ASCII are UTF-8 (as current editors save), anything else
// is in the ANSI code page.
SettingsEncoding DetectSettingsEncoding(std::string_view bytes);

// Every non-blank line's comma-separated fields, decoded from the file's encoding but still escaped, however
// many a line has.
std::vector<std::vector<Text>> ParseSettingFields(std::string_view bytes, const AnsiCodePage& codePage);
// The setting of one line's fields.
ButtonSetting SettingOf(std::vector<Text> fields);

// Every line of the file as a setting. Lines and fields are split before the fields are decoded. Blank
// lines are skipped; a line with fewer than five fields leaves the missing ones empty, so that nothing in
// the file is lost at the next save.
std::vector<ButtonSetting> ParseSettings(std::string_view bytes, const AnsiCodePage& codePage);

// The line of one setting, without its line break.
Text FormatSettingLine(const ButtonSetting& setting);

// The whole file: every line followed by CR LF, in the ANSI code page; an empty list gives no bytes.
// When some text has no ANSI form, or the ANSI bytes would be read back as another encoding, the file is
// UTF-8 with a byte-order mark instead, so that what is saved always loads as it was. A field holding CR or LF
// raises a RuntimeError naming the setting: nothing is written.
std::string FormatSettings(const SettingsList& list, const AnsiCodePage& codePage);

}  // namespace velloway
