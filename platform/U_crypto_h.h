// The CryptoAPI declarations the password cipher uses, owners for its handles, and the provider over them.
#pragma once

#include <windows.h>
#include <wincrypt.h>  // left out of windows.h by WIN32_LEAN_AND_MEAN

#include "core/CryptoProvider.h"
#include "platform/UniqueAny.h"

namespace velloway {

namespace detail {
inline void ReleaseCryptContext(HCRYPTPROV context) noexcept { ::CryptReleaseContext(context, 0); }
inline void DestroyCryptHash(HCRYPTHASH hash) noexcept { ::CryptDestroyHash(hash); }
inline void DestroyCryptKey(HCRYPTKEY key) noexcept { ::CryptDestroyKey(key); }
}  // namespace detail

// All three handle types are integers where 0 is no handle; the release call tells them apart.
using UniqueCryptContext = UniqueAny<HCRYPTPROV, detail::ReleaseCryptContext>;
using UniqueCryptHash = UniqueAny<HCRYPTHASH, detail::DestroyCryptHash>;
using UniqueCryptKey = UniqueAny<HCRYPTKEY, detail::DestroyCryptKey>;

// CryptAcquireContextA and the calls below it, each object owning its one handle.
class WindowsCryptoProvider final : public CryptoProvider {
 public:
  std::unique_ptr<CryptoContext> AcquireContext(const std::string& container, std::uint32_t providerType,
                                                std::uint32_t flags) override;
};

}  // namespace velloway
