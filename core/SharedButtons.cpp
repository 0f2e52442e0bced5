// The administrator's buttons: the shared file's rows, the copy of the last good read, and what changed.
#include "core/SharedButtons.h"

#include "core/DriveAssignment.h"
#include "core/LineSplitter.h"
#include "core/NetworkProvider.h"
#include "core/SettingsFormat.h"
#include "core/Unicode.h"
#include "core/ValueEscaping.h"

namespace velloway {
namespace {

constexpr size_t kAutoField = 5;
constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";

bool IsAutoField(const std::vector<Text>& fields) {
  if (fields.size() <= kAutoField) return false;
  return AsciiUpper(Trim(MyDecode(fields[kAutoField]))) == u"AUTO";
}

// A control character would let a shared name or folder pass for something else, in the list and in the copy.
bool HasControlCharacter(const ButtonSetting& row) {
  for (TextView field : {TextView(row.Name), TextView(row.Drive), TextView(row.Folder), TextView(row.ID)}) {
    for (char16_t c : field) {
      if (c < u' ' || c == u'\x7f') return true;
    }
  }
  return false;
}

// One line's button, without its password; expand (when given) replaces environment variables in Folder and ID.
// None for a line that makes no button.
std::optional<SharedButton> ButtonOf(std::vector<Text> fields, const std::function<Text(const Text&)>* expand) {
  const bool autoConnect = IsAutoField(fields);
  ButtonSetting row = SettingOf(std::move(fields));
  row.Pass.clear();
  if (expand != nullptr) {
    row.Folder = (*expand)(row.Folder);
    row.ID = (*expand)(row.ID);
  }
  if (row.Name.empty() || row.Folder.empty() || HasControlCharacter(row)) return std::nullopt;
  return SharedButton{std::move(row), autoConnect};
}

}  // namespace

void ParseSharedButtons(std::string_view bytes, const AnsiCodePage& codePage,
                        const std::function<Text(const Text&)>& expand, SharedRead& read) {
  for (std::vector<Text>& fields : ParseSettingFields(bytes, codePage)) {
    if (fields.size() > 4 && !MyDecode(fields[4]).empty()) read.hadPasswords = true;
    if (auto button = ButtonOf(std::move(fields), &expand)) read.buttons.push_back(std::move(*button));
  }
}

std::string FormatSharedCopy(const Text& taken, const SharedButtons& buttons) {
  Text text = MyEncode(taken) + u"\r\n";
  for (const SharedButton& button : buttons) {
    text += FormatSettingLine(button.row);
    if (button.autoConnect) text += u",auto";
    text += u"\r\n";
  }
  return std::string(kUtf8Mark) + EncodeUtf8(text);
}

std::optional<SharedCopy> ParseSharedCopy(std::string_view bytes) {
  if (!bytes.starts_with(kUtf8Mark) || !IsWellFormedUtf8(bytes)) return std::nullopt;
  const Text text = DecodeUtf8(bytes.substr(kUtf8Mark.size()));
  const std::vector<TextView> lines = SplitLines(text);
  if (lines.empty()) return std::nullopt;
  SharedCopy copy{MyDecode(lines.front()), {}};
  for (size_t i = 1; i < lines.size(); ++i) {
    std::vector<Text> fields = SplitFields(lines[i]);
    if (fields.empty()) continue;
    if (auto button = ButtonOf(std::move(fields), nullptr)) copy.buttons.push_back(std::move(*button));
  }
  return copy;
}

SharedButtons ChangedOrRemoved(const SharedButtons& before, const SharedButtons& now) {
  SharedButtons gone;
  for (const SharedButton& old : before) {
    bool kept = false;
    for (const SharedButton& button : now) {
      if (button.row.Name == old.row.Name && SameResourceName(button.row.Folder, old.row.Folder) &&
          ConnectDrive(button.row.Drive) == ConnectDrive(old.row.Drive)) {
        kept = true;
        break;
      }
    }
    if (!kept) gone.push_back(old);
  }
  return gone;
}

}  // namespace velloway
