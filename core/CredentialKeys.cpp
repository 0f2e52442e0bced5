// The credential key of a button and the clean-up of keys no row uses any more.
#include "core/CredentialKeys.h"

namespace velloway {

Text CredentialKey(const ButtonSetting& setting) { return u"Velloway:" + setting.ID + u"@" + setting.Folder; }

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
