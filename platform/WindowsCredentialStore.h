// The credential store over Windows' Credential Manager: generic credentials of the signed-in user.
#pragma once

#include <windows.h>
#include <wincred.h>  // left out of windows.h by WIN32_LEAN_AND_MEAN

#include "core/CredentialStore.h"
#include "platform/UniqueAny.h"

namespace velloway {

namespace detail {
inline void FreeCredential(PCREDENTIALW credential) noexcept { ::CredFree(credential); }
}  // namespace detail

using UniqueCredential = UniqueAny<PCREDENTIALW, detail::FreeCredential>;

// Each key is the target name of one CRED_TYPE_GENERIC credential kept on this machine for this user
// (CRED_PERSIST_LOCAL_MACHINE: not carried to other machines by a roaming profile); the password is its
// blob, UTF-16 without a terminator, as Windows keeps generic passwords.
class WindowsCredentialStore final : public CredentialStore {
 public:
  std::optional<Text> Read(const Text& key) const override;
  std::uint32_t Write(const Text& key, TextView password) override;
  void Delete(const Text& key) override;
  // Windows compares target names without regard to letter case.
  bool SameKey(const Text& a, const Text& b) const override;
};

}  // namespace velloway
