// CredReadW, CredWriteW and CredDeleteW for the buttons' passwords; every copy of a password is wiped.
#include "platform/WindowsCredentialStore.h"

#include <algorithm>
#include <string>

#include "core/SecureWipe.h"
#include "platform/WinText.h"

namespace velloway {

std::optional<Text> WindowsCredentialStore::Read(const Text& key) const {
  UniqueCredential credential;
  if (!CredReadW(ToWide(key).c_str(), CRED_TYPE_GENERIC, 0, credential.put())) return std::nullopt;
  CREDENTIALW& read = *credential.get();
  Text password;
  if (read.CredentialBlob != nullptr) {
    password.resize(read.CredentialBlobSize / sizeof(char16_t));
    std::copy_n(read.CredentialBlob, password.size() * sizeof(char16_t), reinterpret_cast<BYTE*>(password.data()));
    // CredFree releases the block without clearing it.
    SecureWipe(read.CredentialBlob, read.CredentialBlobSize);
  }
  return password;
}

std::uint32_t WindowsCredentialStore::Write(const Text& key, TextView password) {
  std::wstring target = ToWide(key);
  CREDENTIALW credential{};
  credential.Type = CRED_TYPE_GENERIC;
  credential.TargetName = target.data();
  credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
  credential.CredentialBlobSize = static_cast<DWORD>(password.size() * sizeof(char16_t));
  // CredWriteW only reads the blob: no copy of the password is made here.
  credential.CredentialBlob = reinterpret_cast<BYTE*>(const_cast<char16_t*>(password.data()));
  return CredWriteW(&credential, 0) ? 0 : GetLastError();
}

void WindowsCredentialStore::Delete(const Text& key) { CredDeleteW(ToWide(key).c_str(), CRED_TYPE_GENERIC, 0); }

bool WindowsCredentialStore::SameKey(const Text& a, const Text& b) const {
  const std::wstring wideA = ToWide(a);
  const std::wstring wideB = ToWide(b);
  return CompareStringOrdinal(wideA.data(), static_cast<int>(wideA.size()), wideB.data(),
                              static_cast<int>(wideB.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace velloway
