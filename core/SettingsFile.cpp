// The load and save procedures of the settings file.
#include "core/SettingsFile.h"

#include <string>

#include "core/RuntimeError.h"
#include "core/SettingsFormat.h"

namespace velloway {
namespace {

constexpr int kMostBackups = 1000;

bool Exists(const FileStore& files, const Text& path) {
  try {
    return files.ReadAll(path).has_value();
  } catch (const RuntimeError&) {
    return true;  // there, but unreadable: not a name to write to
  }
}

}  // namespace

Text FreeBackupPath(const Text& path, const FileStore& files) {
  for (int number = 1; number <= kMostBackups; ++number) {
    const std::string suffix = number == 1 ? std::string() : std::to_string(number);
    Text candidate = path + u".bak" + Text(suffix.begin(), suffix.end());
    if (!Exists(files, candidate)) return candidate;
  }
  throw RuntimeError(u"ファイル \"" + path + u".bak\" を作成できません。");
}

Text SettingsFolder(const Text& applicationDataFolder) { return applicationDataFolder + u"\\vlw"; }

void LoadSettingsFile(Text& path, SettingsList& list, FileStore& files, const AnsiCodePage& codePage,
                      UnreadSettingsFile& unread, SettingsFileAsRead* asRead) {
  if (!files.FolderExists(path)) files.CreateFolder(path);
  path += u"\\vlw.ini";
  std::optional<std::string> bytes;
  try {
    bytes = files.ReadAll(path);
  } catch (...) {
    unread.pending = true;
    unread.listAtLoad = list;
    throw;
  }
  if (bytes) {
    // Parsed in full before the list is touched, so that the list is never left half filled.
    std::vector<ButtonSetting> settings = ParseSettings(*bytes, codePage);
    list.Clear();
    for (ButtonSetting& setting : settings) list.Append(std::move(setting));
  }
  if (asRead != nullptr) *asRead = SettingsFileAsRead{std::move(bytes), list};
}

SaveResult SaveSettingsFile(const Text& path, const SettingsList& list, FileStore& files, const AnsiCodePage& codePage,
                            UnreadSettingsFile& unread) {
  SaveResult result;
  if (unread.pending) {
    if (list == unread.listAtLoad) return result;
    // Raises while the file is still unreadable: then nothing is written and it keeps its bytes.
    if (const std::optional<std::string> old = files.ReadAll(path)) {
      result.backupPath = FreeBackupPath(path, files);
      files.ReplaceAll(result.backupPath, *old);
    }
  }
  files.ReplaceAll(path, FormatSettings(list, codePage));
  unread = UnreadSettingsFile{};
  result.written = true;
  return result;
}

}  // namespace velloway
