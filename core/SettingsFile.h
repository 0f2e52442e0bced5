// Loading the settings file into the list at start-up, and saving the list when the editor closes.
#pragma once

#include "core/AnsiCodePage.h"
#include "core/FileStore.h"
#include "core/SettingsList.h"

namespace velloway {

// A settings file that exists but could not be read at start-up. Its bytes must survive: it is left as it
// is while the list stays as the failed load left it, and kept beside the new file once the user has
// really changed the list.
struct UnreadSettingsFile {
  bool pending = false;
  SettingsList listAtLoad;
};

// The file's bytes as this program last read or wrote them (none: there was no file), and the list they hold.
// A save compares the file with them to find out whether someone else changed it meanwhile.
struct SettingsFileAsRead {
  std::optional<std::string> bytes;
  SettingsList list;
};

// What a save did.
struct SaveResult {
  bool written = false;  // false: the unread file was left untouched, the list being unchanged
  Text backupPath;       // where the unread file's bytes were kept, when they were
};

// The settings folder made from the per-user application data folder.
Text SettingsFolder(const Text& applicationDataFolder);

// Makes sure the settings folder exists, turns `path` from the settings folder into the settings
// file path, and fills the list from the file when there is one (a missing file leaves it empty).
// A file that cannot be read raises its error, and is recorded in `unread` first.
// `asRead`, when given, is set to what was read.
void LoadSettingsFile(Text& path, SettingsList& list, FileStore& files, const AnsiCodePage& codePage,
                      UnreadSettingsFile& unread, SettingsFileAsRead* asRead = nullptr);

// The first of vlw.ini.bak, vlw.ini.bak2, ... beside `path` that does not exist yet: a backup is never replaced.
Text FreeBackupPath(const Text& path, const FileStore& files);

// Writes the whole list to the settings file, replacing its content in one step. After a failed load it
// writes nothing while the list is unchanged, and otherwise first copies the old bytes to a new file
// beside it (vlw.ini.bak, vlw.ini.bak2, ...); when they cannot be copied it raises and writes nothing.
SaveResult SaveSettingsFile(const Text& path, const SettingsList& list, FileStore& files, const AnsiCodePage& codePage,
                            UnreadSettingsFile& unread);

}  // namespace velloway
