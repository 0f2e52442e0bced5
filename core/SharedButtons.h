// Buttons the IT administrator hands out: read-only rows from a file that everyone reads (vlw.ini's line
// format, Name, Drive, Folder, ID; a password there is never used; a sixth field "auto" connects the button by
// itself), and the copy of the last good read kept in the user's settings folder for when the file is out of
// reach.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/AnsiCodePage.h"
#include "core/ButtonSetting.h"
#include "core/Text.h"

namespace velloway {

struct SharedButton {
  ButtonSetting row;  // Pass always empty
  bool autoConnect = false;
  bool operator==(const SharedButton&) const = default;
};
using SharedButtons = std::vector<SharedButton>;

inline constexpr char16_t kSharedButtonsFileName[] = u"vlw-shared.ini";     // beside Velloway.exe
inline constexpr char16_t kSharedCacheFileName[] = u"vlw-shared-copy.txt";  // in the settings folder

struct SharedRead {
  SharedButtons buttons;
  bool hadPasswords = false;  // some line held one, which was dropped
};

// Appends a shared file's rows to read. expand replaces environment variables (%USERNAME%) in Folder and ID.
// Rows without a Name or a Folder are skipped: they could make no button.
void ParseSharedButtons(std::string_view bytes, const AnsiCodePage& codePage,
                        const std::function<Text(const Text&)>& expand, SharedRead& read);

// The copy of the last good read: its first line the local time it was taken, then the rows (UTF-8).
std::string FormatSharedCopy(const Text& taken, const SharedButtons& buttons);
struct SharedCopy {
  Text taken;
  SharedButtons buttons;
};
// None for bytes that are no such copy.
std::optional<SharedCopy> ParseSharedCopy(std::string_view bytes);

// The buttons of before that are gone from now or connect another folder or drive now.
SharedButtons ChangedOrRemoved(const SharedButtons& before, const SharedButtons& now);

}  // namespace velloway
