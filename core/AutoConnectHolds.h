// What keeps a button from connecting by itself although it is set to: a refusal of what it would send (kept in a
// file of its own, so that neither an editor visit nor a new start sends a refused password again), and a close by
// the user (kept until the user clicks or edits the button, or the program starts again).
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "core/ButtonSetting.h"
#include "core/FileStore.h"
#include "core/Text.h"

namespace velloway {

inline constexpr char16_t kAutoRefusalsFileName[] = u"vlw-auto-refused.txt";

// A short fingerprint of a password: four hexadecimal digits, enough to tell that the stored password changed
// since a refusal, and too few to tell anything of the password (many passwords share each fingerprint).
Text PasswordFingerprint(TextView password);

class AutoConnectHolds {
 public:
  // A refusal: what the button would send was refused (or stopped for another reason a retry cannot mend). Kept
  // by Folder, ID and the fingerprint (PasswordFingerprint) of the password then stored, never the password.
  void Refuse(const ButtonSetting& row, const Text& fingerprint);
  // Whether a refusal is kept for this Folder and ID at all: the cheap question before the password is read.
  bool MayBeRefused(const ButtonSetting& row) const;
  // Whether what the button would send now was refused: the same Folder, ID and stored password.
  bool Refused(const ButtonSetting& row, TextView password) const;

  // A close by the user: the button, by its drive and folder, waits for the user.
  void Hold(const ButtonSetting& row);
  bool Held(const ButtonSetting& row) const;
  // Releases a hold that Hold set (a close that did not happen after all).
  void Release(const ButtonSetting& row);

  // The user clicked the button or edited its row: its refusals and its hold are gone. True when a refusal went
  // (the file is to be written).
  bool UserTookOver(const ButtonSetting& row);

  // The refusals, one a line in UTF-8: the folder, a tab, the ID, a tab, the fingerprint. Lines that are no
  // refusal are skipped on reading.
  std::string FormatRefusals() const;
  void ParseRefusals(std::string_view bytes);
  bool SameRefusals(const AutoConnectHolds& other) const { return refusals_ == other.refusals_; }

 private:
  struct Refusal {
    Text folder;
    Text id;
    Text fingerprint;
    bool operator==(const Refusal&) const = default;
  };
  static bool SameButton(const Refusal& refusal, const ButtonSetting& row);
  std::vector<Refusal> refusals_;
  std::vector<Text> held_;  // AutoConnectSet::KeyText of the buttons closed by the user
};

// The refusals kept in the file: a file that is missing or cannot be read keeps none.
void LoadAutoRefusals(const FileStore& files, const Text& path, AutoConnectHolds& holds);
// Writes the refusals, unless there are none and there is no file; a failure raises the store's RuntimeError.
void SaveAutoRefusals(FileStore& files, const Text& path, const AutoConnectHolds& holds);

}  // namespace velloway
