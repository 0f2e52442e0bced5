// Refusals and the user's closes that hold a button's auto-connect back, and the refusals' file format.
#include "core/AutoConnectHolds.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "core/AutoConnect.h"
#include "core/LineSplitter.h"
#include "core/NetworkProvider.h"
#include "core/RuntimeError.h"
#include "core/Unicode.h"

namespace velloway {

Text PasswordFingerprint(TextView password) {
  // FNV-1a over the UTF-16 code units, folded to 16 bits: the file may be read by anyone who can read the
  // settings folder, so it must not be a usable hash of the password, only a sign that it changed.
  std::uint64_t hash = 0xCBF29CE484222325ULL;
  for (const char16_t c : password) {
    for (const unsigned byte : {static_cast<unsigned>(c & 0xFF), static_cast<unsigned>(c >> 8)}) {
      hash ^= byte;
      hash *= 0x100000001B3ULL;
    }
  }
  const auto folded = static_cast<std::uint16_t>((hash >> 48) ^ (hash >> 32) ^ (hash >> 16) ^ hash);
  constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  Text text;
  for (int shift = 12; shift >= 0; shift -= 4) text += kDigits[(folded >> shift) & 0xF];
  return text;
}

bool AutoConnectHolds::SameButton(const Refusal& refusal, const ButtonSetting& row) {
  // Windows compares share and user names without regard to letter case.
  return SameResourceName(refusal.folder, row.Folder) && AsciiUpper(refusal.id) == AsciiUpper(row.ID);
}

void AutoConnectHolds::Refuse(const ButtonSetting& row, const Text& fingerprint) {
  std::erase_if(refusals_, [&](const Refusal& refusal) { return SameButton(refusal, row); });
  refusals_.push_back(Refusal{row.Folder, row.ID, fingerprint});
}

bool AutoConnectHolds::MayBeRefused(const ButtonSetting& row) const {
  if (refusals_.empty()) return false;
  return std::any_of(refusals_.begin(), refusals_.end(),
                     [&](const Refusal& refusal) { return SameButton(refusal, row); });
}

bool AutoConnectHolds::Refused(const ButtonSetting& row, TextView password) const {
  const Text fingerprint = PasswordFingerprint(password);
  return std::any_of(refusals_.begin(), refusals_.end(), [&](const Refusal& refusal) {
    return SameButton(refusal, row) && refusal.fingerprint == fingerprint;
  });
}

void AutoConnectHolds::Hold(const ButtonSetting& row) {
  if (!Held(row)) held_.push_back(AutoConnectSet::KeyText(row));
}

bool AutoConnectHolds::Held(const ButtonSetting& row) const {
  // Asked for every button at each repaint of the marks: nothing to work out while nothing is held.
  if (held_.empty()) return false;
  return std::find(held_.begin(), held_.end(), AutoConnectSet::KeyText(row)) != held_.end();
}

void AutoConnectHolds::Release(const ButtonSetting& row) { std::erase(held_, AutoConnectSet::KeyText(row)); }

bool AutoConnectHolds::UserTookOver(const ButtonSetting& row) {
  Release(row);
  return std::erase_if(refusals_, [&](const Refusal& refusal) { return SameButton(refusal, row); }) > 0;
}

std::string AutoConnectHolds::FormatRefusals() const {
  std::string bytes;
  for (const Refusal& refusal : refusals_) {
    bytes += EncodeUtf8(refusal.folder + u"\t" + refusal.id + u"\t" + refusal.fingerprint) + "\r\n";
  }
  return bytes;
}

void AutoConnectHolds::ParseRefusals(std::string_view bytes) {
  refusals_.clear();
  for (const std::string_view line : SplitLines(bytes)) {
    const size_t first = line.find('\t');
    const size_t second = first == std::string_view::npos ? first : line.find('\t', first + 1);
    if (second == std::string_view::npos) continue;
    Refusal refusal{DecodeUtf8(line.substr(0, first)), DecodeUtf8(line.substr(first + 1, second - first - 1)),
                    DecodeUtf8(line.substr(second + 1))};
    const bool share = refusal.folder.size() > 2 && refusal.folder.starts_with(u"\\\\");
    const bool fingerprint = refusal.fingerprint.size() == 4 &&
                             std::all_of(refusal.fingerprint.begin(), refusal.fingerprint.end(), [](char16_t c) {
                               return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F');
                             });
    if (!share || !fingerprint || HasControlCharacter(refusal.folder) || HasControlCharacter(refusal.id)) continue;
    const ButtonSetting row{Text(), Text(), refusal.folder, refusal.id, Text()};
    if (!MayBeRefused(row)) refusals_.push_back(std::move(refusal));
  }
}

void LoadAutoRefusals(const FileStore& files, const Text& path, AutoConnectHolds& holds) {
  try {
    const std::optional<std::string> bytes = files.ReadAll(path);
    holds.ParseRefusals(bytes ? *bytes : std::string());
  } catch (const RuntimeError&) {
    holds.ParseRefusals({});
  }
}

void SaveAutoRefusals(FileStore& files, const Text& path, const AutoConnectHolds& holds) {
  const std::string bytes = holds.FormatRefusals();
  if (bytes.empty() && !files.ReadAll(path)) return;
  files.ReplaceAll(path, bytes);
}

}  // namespace velloway
