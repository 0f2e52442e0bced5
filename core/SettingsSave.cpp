// The save that compares the file with what was read before writing over it.
#include "core/SettingsSave.h"

#include "core/SettingsFormat.h"

namespace velloway {
namespace {

SettingsList ListOf(const std::optional<std::string>& bytes, const AnsiCodePage& codePage) {
  SettingsList list;
  if (bytes) {
    for (ButtonSetting& setting : ParseSettings(*bytes, codePage)) list.Append(std::move(setting));
  }
  return list;
}

// Writes the list, the backup first when there is one: a failure of either leaves the file as it was.
void Write(const Text& path, const SettingsList& list, FileStore& files, const AnsiCodePage& codePage,
           SettingsFileAsRead& asRead, CheckedSaveResult& result) {
  std::string bytes = FormatSettings(list, codePage);
  files.ReplaceAll(path, bytes);
  asRead = SettingsFileAsRead{std::move(bytes), list};
  result.written = true;
}

}  // namespace

CheckedSaveResult SaveSettingsChecked(const Text& path, SettingsList& list, FileStore& files,
                                      const AnsiCodePage& codePage, UnreadSettingsFile& unread,
                                      SettingsFileAsRead& asRead, const AskConflict& ask) {
  CheckedSaveResult result;
  if (unread.pending) {
    const SaveResult saved = SaveSettingsFile(path, list, files, codePage, unread);
    if (saved.written) asRead = SettingsFileAsRead{FormatSettings(list, codePage), list};
    result.written = saved.written;
    result.backupPath = saved.backupPath;
    return result;
  }

  std::optional<std::string> current = files.ReadAll(path);
  if (current == asRead.bytes) {
    if (list != asRead.list) Write(path, list, files, codePage, asRead, result);
    return result;
  }

  SettingsList fileList = ListOf(current, codePage);
  if (list == asRead.list || list == fileList) {
    // Nothing of the user's would be lost by taking the file's content.
    result.taken = list != fileList;
    list = fileList;
    asRead = SettingsFileAsRead{std::move(current), std::move(fileList)};
    return result;
  }

  switch (ask(DiffSettings(list, fileList))) {
    case ConflictAnswer::Cancel: result.cancelled = true; return result;
    case ConflictAnswer::KeepMine:
      if (current) {
        result.backupPath = FreeBackupPath(path, files);
        files.ReplaceAll(result.backupPath, *current);
      }
      Write(path, list, files, codePage, asRead, result);
      return result;
    case ConflictAnswer::TakeFile:
      result.backupPath = FreeBackupPath(path, files);
      files.ReplaceAll(result.backupPath, FormatSettings(list, codePage));
      for (size_t i = 0; i < list.Count(); ++i) {
        bool inFile = false;
        for (size_t k = 0; k < fileList.Count() && !inFile; ++k) inFile = fileList.Row(k) == list.Row(i);
        if (!inFile) result.setAside.push_back(list.Row(i));
      }
      list = fileList;
      asRead = SettingsFileAsRead{std::move(current), std::move(fileList)};
      result.taken = true;
      return result;
  }
  return result;
}

Text SaveNotice(bool wasUnread, const CheckedSaveResult& result) {
  if (result.backupPath.empty()) return Text();
  const Text what = wasUnread ? u"起動時に読み込めなかった設定ファイルの元の内容を、次のファイルに残しました。"
                    : result.taken
                        ? u"ファイルの内容を使いました。この画面の内容を、次のファイルに残しました。"
                        : u"この画面の内容で保存しました。ファイルにあった内容を、次のファイルに残しました。";
  return what + u"\r\n" + result.backupPath;
}

}  // namespace velloway
