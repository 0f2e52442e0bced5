// When a typed password that worked is offered to the button that keeps another.
#include "core/PasswordUpdate.h"

#include <algorithm>

#include "core/CredentialKeys.h"

namespace velloway {

bool IsPasswordRefusal(std::uint32_t resultCode) { return resultCode == 5 || resultCode == 86 || resultCode == 1326; }

bool RefusedPasswords::After(const ButtonSetting& setting, const Attempt& attempt) {
  const Text key = CredentialKey(setting);
  const auto found = std::find(refused_.begin(), refused_.end(), key);
  // Only as the button stands: a folder or user changed in the dialog is another connection.
  const bool asStored = attempt.remote == setting.Folder && attempt.user == setting.ID;
  if (!asStored || !attempt.storedPassword) return false;
  if (IsPasswordRefusal(attempt.result) && !attempt.typedAnother) {
    if (found == refused_.end()) refused_.push_back(key);
    return false;
  }
  if (attempt.result != 0 || !attempt.typedAnother || found == refused_.end()) return false;
  refused_.erase(found);
  return true;
}

}  // namespace velloway
