// Which stored credential belongs to a button: a key made from what the button connects to, not from its place.
#pragma once

#include <vector>

#include "core/ButtonSetting.h"
#include "core/CredentialStore.h"
#include "core/SettingsList.h"
#include "core/U_crypto.h"

namespace velloway {

// "Velloway:" + ID + "@" + Folder, each as the row stores it: a rename or a move keeps the key, and an edit
// of Folder or ID gives another. Letter case is the store's to compare (Windows ignores it).
Text CredentialKey(const ButtonSetting& setting);

// A row keeps its password in the store when its Pass is empty; the file then holds no password for it.
inline bool UsesCredentialStore(const ButtonSetting& setting) { return setting.Pass.empty(); }

// The password the store keeps for a row, or empty when it keeps none; no other copy is left behind.
Text StoredPassword(const ButtonSetting& setting, const CredentialStore& store);

// The password a button connects with: Credential Manager's for an empty Pass, the decrypted Pass otherwise;
// empty when there is none or it cannot be read.
Text ButtonPassword(const ButtonSetting& setting, const CryptoServices& crypto, const CredentialStore& store);

// The keys of the rows that keep their password in the store.
std::vector<Text> CredentialKeysOf(const std::vector<ButtonSetting>& rows);

// Deletes each candidate key that none of the rows keeping their password in the store still uses.
void DeleteUnusedCredentials(CredentialStore& store, const std::vector<Text>& candidates, const SettingsList& rows);

}  // namespace velloway
