// Saving the list without overwriting what another program or another Velloway wrote meanwhile.
#pragma once

#include <functional>
#include <vector>

#include "core/SettingsDifference.h"
#include "core/SettingsFile.h"

namespace velloway {

enum class ConflictAnswer { KeepMine, TakeFile, Cancel };

struct CheckedSaveResult {
  bool written = false;    // the list was written to the file
  bool taken = false;      // the list became the file's content: the buttons need rebuilding
  bool cancelled = false;  // the user went back to editing: nothing was written, the list is as it was
  Text backupPath;         // where the side not kept was put, when one was
  // The file's side taken over the list's: the list's rows that the file lacks, gone to the backup.
  std::vector<ButtonSetting> setAside;
};

using AskConflict = std::function<ConflictAnswer(const SettingsDifference&)>;

// Reads the file again before writing. Unchanged since `asRead`: the list is written when it differs from
// what was read, and nothing is written otherwise. Changed meanwhile: a list still as read takes the file's
// content without a word; a changed one makes `ask` choose, and the side not kept goes to a free backup
// beside the file (FreeBackupPath). After a failed start-up load, saves as SaveSettingsFile does.
CheckedSaveResult SaveSettingsChecked(const Text& path, SettingsList& list, FileStore& files,
                                      const AnsiCodePage& codePage, UnreadSettingsFile& unread,
                                      SettingsFileAsRead& asRead, const AskConflict& ask);

// What the user is told after a save that put a side in a backup: which side went where. Empty when none did.
// wasUnread: the start-up load had failed, so the backup holds the file's old bytes.
Text SaveNotice(bool wasUnread, const CheckedSaveResult& result);

}  // namespace velloway
