// The credential key of a button and the clean-up of keys no row uses any more.
#include "core/CredentialKeys.h"

#include <optional>

#include "core/SecureWipe.h"

namespace velloway {

Text CredentialKey(const ButtonSetting& setting) { return u"Velloway:" + setting.ID + u"@" + setting.Folder; }

Text StoredPassword(const ButtonSetting& setting, const CredentialStore& store) {
  std::optional<Text> stored = store.Read(CredentialKey(setting));
  if (!stored) return Text();
  Text password = *stored;
  WipeString(*stored);
  return password;
}

Text ButtonPassword(const ButtonSetting& setting, const CryptoServices& crypto, const CredentialStore& store) {
  return UsesCredentialStore(setting) ? StoredPassword(setting, store) : DecryptPassword(setting.Pass, crypto);
}

std::vector<Text> CredentialKeysOf(const std::vector<ButtonSetting>& rows) {
  std::vector<Text> keys;
  for (const ButtonSetting& row : rows) {
    if (UsesCredentialStore(row)) keys.push_back(CredentialKey(row));
  }
  return keys;
}

void DeleteUnusedCredentials(CredentialStore& store, const std::vector<Text>& candidates, const SettingsList& rows) {
  for (const Text& key : candidates) {
    bool used = false;
    for (size_t i = 0; i < rows.Count() && !used; ++i) {
      const ButtonSetting& row = rows.Row(i);
      used = UsesCredentialStore(row) && store.SameKey(key, CredentialKey(row));
    }
    if (!used) store.Delete(key);
  }
}

}  // namespace velloway
