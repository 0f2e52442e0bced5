// Any bytes as a settings file: load, save and load again must give the same settings, and a second save
// the same bytes. The same for the same bytes as the file of buttons that connect by themselves; and as the
// outcome log, a line added keeps at most its limit of lines and ends with the new one; and as a shared
// buttons file, its rows survive the copy kept of them, and any bytes read as such a copy give no control
// characters. The bytes as a command line too, one argument a line: either a command or a refusal with its
// reason, and every row's desktop shortcut gets a file name Windows takes. The bytes as a handed-over command and
// its reply, and as the file of refused automatic attempts.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "TestPlatform.h"
#include "core/AutoConnect.h"
#include "core/AutoConnectHolds.h"
#include "core/ButtonShortcut.h"
#include "core/CommandLine.h"
#include "core/OutcomeLog.h"
#include "core/SettingsFormat.h"
#include "core/SharedButtons.h"
#include "core/Unicode.h"

namespace {

velloway::SettingsList ListOf(const std::vector<velloway::ButtonSetting>& settings) {
  velloway::SettingsList list;
  for (const velloway::ButtonSetting& setting : settings) list.Append(setting);
  return list;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const velloway::AnsiCodePage& codePage = velloway::testing::TestCodePage();
  const std::string bytes(reinterpret_cast<const char*>(data), size);
  const std::vector<velloway::ButtonSetting> loaded = velloway::ParseSettings(bytes, codePage);
  const std::string saved = velloway::FormatSettings(ListOf(loaded), codePage);
  const std::vector<velloway::ButtonSetting> reloaded = velloway::ParseSettings(saved, codePage);
  if (reloaded != loaded) std::abort();
  if (velloway::FormatSettings(ListOf(reloaded), codePage) != saved) std::abort();

  const velloway::AutoConnectSet autos = velloway::AutoConnectSet::Parse(bytes);
  const std::string autoSaved = autos.Format();
  if (velloway::AutoConnectSet::Parse(autoSaved) != autos) std::abort();
  if (velloway::AutoConnectSet::Parse(autoSaved).Format() != autoSaved) std::abort();

  const std::string line = "new\r\n";
  const std::string log = velloway::AppendLogLine(bytes, line, 4);
  if (log.size() < line.size() || log.compare(log.size() - line.size(), line.size(), line) != 0) std::abort();
  if (std::count(log.begin(), log.end(), '\n') > 4) std::abort();

  velloway::SharedRead shared;
  velloway::ParseSharedButtons(
      bytes, codePage, [](const velloway::Text& text) { return text; }, shared);
  const auto copy = velloway::ParseSharedCopy(velloway::FormatSharedCopy(u"t", shared.buttons));
  if (!copy || copy->buttons != shared.buttons) std::abort();
  if (const auto read = velloway::ParseSharedCopy(bytes)) {
    for (const velloway::SharedButton& button : read->buttons) {
      for (char16_t c : button.row.Name + button.row.Folder + button.row.ID + button.row.Drive) {
        if (c < u' ') std::abort();
      }
    }
  }

  std::vector<velloway::Text> arguments;
  const velloway::Text text = velloway::DecodeUtf8(bytes);
  for (size_t start = 0; start <= text.size();) {
    const size_t end = std::min(text.find(u'\n', start), text.size());
    arguments.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  const velloway::ParsedCommand parsed = velloway::ParseCommandLine(arguments);
  if (!parsed.error.empty() && !(parsed.command == velloway::Command{})) std::abort();
  const velloway::CommandKind kind = parsed.command.kind;
  if ((kind == velloway::CommandKind::Connect || kind == velloway::CommandKind::Disconnect) &&
      (parsed.command.name.empty() || parsed.command.name.size() > velloway::kLongestName)) {
    std::abort();
  }

  const velloway::SettingsList rows = ListOf(loaded);
  for (size_t i = 0; i < std::min<size_t>(rows.Count(), 8); ++i) {
    const velloway::ButtonShortcut shortcut = velloway::ShortcutForButton(velloway::ButtonRows(rows), i);
    const velloway::Text base = shortcut.fileName.substr(0, shortcut.fileName.size() - 4);
    if (base.empty() || !shortcut.fileName.ends_with(u".lnk") || base.back() == u'.' || base.back() == u' ') {
      std::abort();
    }
    for (char16_t c : base) {
      if (c < u' ' || velloway::Text(u"\\/:*?\"<>|").find(c) != velloway::Text::npos) std::abort();
    }
  }

  // The bytes as UTF-16 from another start or from the running copy: a handed-over command lets no argument with a
  // control character through and encodes back to itself, and a reply read survives being written again.
  velloway::Text units(size / 2, u'\0');
  for (size_t i = 0; i + 1 < size; i += 2) {
    units[i / 2] = static_cast<char16_t>(data[i] | (data[i + 1] << 8));
  }
  if (const auto handed = velloway::DecodeHandedOverArguments(units)) {
    for (const velloway::Text& argument : *handed) {
      if (velloway::HasControlCharacter(argument)) std::abort();
    }
    if (velloway::EncodeHandedOverArguments(*handed) != units) std::abort();
  }
  if (const auto reply = velloway::DecodeCommandReply(units)) {
    if (velloway::DecodeCommandReply(velloway::EncodeCommandReply(*reply)) != reply) std::abort();
  }

  // The bytes as the file of refused automatic attempts: what is read is written and read back the same.
  velloway::AutoConnectHolds holds;
  holds.ParseRefusals(bytes);
  const std::string refusals = holds.FormatRefusals();
  velloway::AutoConnectHolds again;
  again.ParseRefusals(refusals);
  if (!again.SameRefusals(holds) || again.FormatRefusals() != refusals) std::abort();
  return 0;
}
