// The load and save procedures of the settings file.
#include "SettingsFile.h"

#include "SettingsFormat.h"

namespace velloway {

Text SettingsFolder(const Text& applicationDataFolder) { return applicationDataFolder + u"\\vlw"; }

void LoadSettingsFile(Text& path, SettingsList& list, FileStore& files, const AnsiCodePage& codePage) {
  if (!files.FolderExists(path)) files.CreateFolder(path);
  path += u"\\vlw.ini";
  const std::optional<std::string> bytes = files.ReadAll(path);
  if (!bytes) return;

  // Parsed in full before the list is touched, so that the list is never left half filled.
  std::vector<ButtonSetting> settings = ParseSettings(*bytes, codePage);
  list.Clear();
  for (ButtonSetting& setting : settings) list.Append(std::move(setting));
}

void SaveSettingsFile(const Text& path, const SettingsList& list, FileStore& files, const AnsiCodePage& codePage) {
  files.ReplaceAll(path, FormatSettings(list, codePage));
}

}  // namespace velloway
