// Buttons that connect by themselves: which ones (kept beside vlw.ini in a file of their own, so that vlw.ini
// stays byte for byte what it is), and what an attempt's result leads to.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/ButtonSetting.h"
#include "core/FileStore.h"
#include "core/SettingsList.h"
#include "core/Text.h"

namespace velloway {

inline constexpr char16_t kAutoConnectFileName[] = u"vlw-auto.txt";

// The set of buttons that connect by themselves, by what they connect: the drive letter and the folder, so that
// a rename or a move keeps the setting and an edit of folder or drive is followed by the editor.
class AutoConnectSet {
 public:
  bool Contains(const ButtonSetting& row) const;
  void Set(const ButtonSetting& row, bool on);
  // Drops the keys no row has any more (a deleted button's).
  void KeepOnly(const SettingsList& rows);
  bool Empty() const noexcept { return keys_.empty(); }
  // The key as text, for telling buttons apart: the same for rows that Contains treats as one.
  static Text KeyText(const ButtonSetting& row);

  // One key a line in UTF-8: the drive letter (or nothing), a tab, the folder. Lines that are no key are
  // skipped on reading, so that a damaged file costs only its damaged lines.
  std::string Format() const;
  static AutoConnectSet Parse(std::string_view bytes);
  bool operator==(const AutoConnectSet&) const = default;

 private:
  struct Key {
    Text drive;  // one upper-case letter, or empty
    Text folder;
    bool operator==(const Key&) const = default;
  };
  static Key KeyOf(const ButtonSetting& row);
  static bool Same(const Key& a, const Key& b);
  std::vector<Key> keys_;
};

// The file beside the settings file: a file that is missing or cannot be read leaves no button connecting by
// itself (the next save writes it anew).
AutoConnectSet LoadAutoConnectFile(const FileStore& files, const Text& path);
// Writes the set, without the keys no row has any more, when it differs from what the file held (asRead, which
// becomes the set). A failure raises the store's RuntimeError.
void SaveAutoConnectFile(FileStore& files, const Text& path, AutoConnectSet& set, const SettingsList& rows,
                         AutoConnectSet& asRead);

// What an automatic attempt's result leads to.
enum class AutoNext {
  Connected,  // connected, or the share was there already
  Retry,      // the server could not be found or reached now: tried again later
  Stop,       // refused (password, account, drive letter held by another share): never again by itself
};

AutoNext AfterAutoAttempt(std::uint32_t resultCode);

// Seconds before the next attempt after `failures` attempts that found no server: 15 at first, doubling up to
// five minutes.
std::uint32_t RetryDelaySeconds(int failures);

}  // namespace velloway
