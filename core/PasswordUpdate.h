// Offering to store a password that worked, after the button's own was refused.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ButtonSetting.h"
#include "core/Text.h"

namespace velloway {

// Whether a connect's result is a refusal of the password or the account it was given (5, 86, 1326).
bool IsPasswordRefusal(std::uint32_t resultCode);

// Remembers, for this run of the program, the buttons whose stored password the server refused. When such a
// button then connects with another password typed into the confirmation dialog, for the same folder and user,
// the user is asked once whether the button should keep it.
class RefusedPasswords {
 public:
  // What a connect of this button was made with, and its result.
  struct Attempt {
    Text remote;          // as confirmed in the dialog
    Text user;            // as confirmed in the dialog
    bool storedPassword;  // the button has a password of its own (in its Pass or in Credential Manager)
    bool typedAnother;    // the dialog's password was not the stored one
    std::uint32_t result;
  };

  // Notes a refusal of the stored password. True when the button should be offered the typed password now;
  // the offer is made once.
  bool After(const ButtonSetting& setting, const Attempt& attempt);

 private:
  std::vector<Text> refused_;  // the buttons' credential keys (ID and Folder)
};

}  // namespace velloway
