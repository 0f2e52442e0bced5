// The auto-connect file's format, and what an automatic attempt's result leads to.
#include "core/AutoConnect.h"

#include <algorithm>

#include "core/DriveAssignment.h"
#include "core/NetworkProvider.h"
#include "core/RuntimeError.h"
#include "core/Unicode.h"

namespace velloway {

AutoConnectSet::Key AutoConnectSet::KeyOf(const ButtonSetting& row) { return Key{ConnectDrive(row.Drive), row.Folder}; }

bool AutoConnectSet::Same(const Key& a, const Key& b) {
  return a.drive == b.drive && SameResourceName(a.folder, b.folder);
}

Text AutoConnectSet::KeyText(const ButtonSetting& row) {
  const Key key = KeyOf(row);
  return key.drive + u"\t" + AsciiUpper(key.folder);
}

bool AutoConnectSet::Contains(const ButtonSetting& row) const {
  const Key key = KeyOf(row);
  return std::any_of(keys_.begin(), keys_.end(), [&](const Key& k) { return Same(k, key); });
}

void AutoConnectSet::Set(const ButtonSetting& row, bool on) {
  const Key key = KeyOf(row);
  std::erase_if(keys_, [&](const Key& k) { return Same(k, key); });
  if (on) keys_.push_back(key);
}

void AutoConnectSet::KeepOnly(const SettingsList& rows) {
  std::erase_if(keys_, [&](const Key& key) {
    for (size_t i = 0; i < rows.Count(); ++i) {
      if (Same(KeyOf(rows.Row(i)), key)) return false;
    }
    return true;
  });
}

std::string AutoConnectSet::Format() const {
  std::string bytes;
  for (const Key& key : keys_) bytes += EncodeUtf8(key.drive + u"\t" + key.folder) + "\r\n";
  return bytes;
}

AutoConnectSet AutoConnectSet::Parse(std::string_view bytes) {
  AutoConnectSet set;
  size_t start = 0;
  while (start < bytes.size()) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    start = end + 1;
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos || tab > 1) continue;
    const Text drive = DecodeUtf8(line.substr(0, tab));
    const Text folder = DecodeUtf8(line.substr(tab + 1));
    const bool letter = drive.empty() || (drive[0] >= u'A' && drive[0] <= u'Z');
    const bool share = folder.size() > 2 && folder[0] == u'\\' && folder[1] == u'\\' &&
                       std::none_of(folder.begin(), folder.end(), [](char16_t c) { return c < u' '; });
    if (!letter || !share) continue;
    const Key key{drive, folder};
    if (std::none_of(set.keys_.begin(), set.keys_.end(), [&](const Key& k) { return Same(k, key); })) {
      set.keys_.push_back(key);
    }
  }
  return set;
}

AutoConnectSet LoadAutoConnectFile(const FileStore& files, const Text& path) {
  try {
    const std::optional<std::string> bytes = files.ReadAll(path);
    return bytes ? AutoConnectSet::Parse(*bytes) : AutoConnectSet();
  } catch (const RuntimeError&) {
    return AutoConnectSet();
  }
}

void SaveAutoConnectFile(FileStore& files, const Text& path, AutoConnectSet& set, const SettingsList& rows,
                         AutoConnectSet& asRead) {
  set.KeepOnly(rows);
  if (set == asRead) return;
  files.ReplaceAll(path, set.Format());
  asRead = set;
}

AutoNext AfterAutoAttempt(std::uint32_t resultCode) {
  switch (resultCode) {
    case 0:   // connected
    case 85:  // the letter is taken: the caller has checked that it is this share
      return AutoNext::Connected;
    case 51:    // ERROR_REM_NOT_LIST
    case 53:    // ERROR_BAD_NETPATH
    case 64:    // ERROR_NETNAME_DELETED
    case 121:   // ERROR_SEM_TIMEOUT
    case 1203:  // ERROR_NO_NET_OR_BAD_PATH
    case 1208:  // ERROR_EXTENDED_ERROR (a network error)
    case 1222:  // ERROR_NO_NETWORK
    case 1225:  // ERROR_CONNECTION_REFUSED
    case 1231:  // ERROR_NETWORK_UNREACHABLE
    case 1232:  // ERROR_HOST_UNREACHABLE
    case 1234:  // ERROR_PORT_UNREACHABLE
    case 1236:  // ERROR_CONNECTION_ABORTED
    case 1311:  // ERROR_NO_LOGON_SERVERS: the domain controller is behind the VPN too
    case 1460:  // ERROR_TIMEOUT
      return AutoNext::Retry;
    default:
      // A refusal (5, 86, 1326, a locked, expired or disabled account), a letter held by another share, another
      // user on the server, or anything not known: never sent again by itself.
      return AutoNext::Stop;
  }
}

std::uint32_t RetryDelaySeconds(int failures) {
  std::uint32_t delay = 15;
  for (int i = 1; i < failures && delay < 300; ++i) delay *= 2;
  return std::min<std::uint32_t>(delay, 300);
}

}  // namespace velloway
