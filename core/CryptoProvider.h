// The cryptographic service provider calls the password cipher makes: context, hash, derived key, one
// final-block encryption or decryption. Windows implements them with CryptoAPI; each object releases its
// handle when destroyed, so the caller's declaration order gives the release order.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>

namespace velloway {

// The provider's own numbers, so that the calls read as the provider documents them.
inline constexpr std::uint32_t kProviderRsaAes = 24;            // PROV_RSA_AES
inline constexpr std::uint32_t kCryptMachineKeySet = 0x20;      // CRYPT_MACHINE_KEYSET
inline constexpr std::uint32_t kCryptNewKeySet = 0x08;          // CRYPT_NEWKEYSET
inline constexpr std::uint32_t kAlgorithmSha1 = 0x8004;         // CALG_SHA1
inline constexpr std::uint32_t kAlgorithmAes256 = 0x6610;       // CALG_AES_256
inline constexpr std::uint32_t kKeyLength256Bits = 0x01000000;  // 256 in the upper 16 bits of the flags

// What a call that can fail leaves behind: on failure, the platform's last error code.
struct CryptoCallResult {
  bool succeeded = false;
  std::uint32_t lastError = 0;
};

// Must not outlive the hash and context that made it.
class CryptoKey {
 public:
  virtual ~CryptoKey() = default;
  // One final block, no hash, flags 0, in place: buffer holds dataLength bytes of plaintext and room for
  // the cipher; on success dataLength becomes the cipher length.
  virtual CryptoCallResult Encrypt(std::span<std::uint8_t> buffer, std::uint32_t& dataLength) = 0;
  // The reverse, in place; on success dataLength becomes the plaintext length.
  virtual CryptoCallResult Decrypt(std::span<std::uint8_t> buffer, std::uint32_t& dataLength) = 0;
};

// Must not outlive the context that made it.
class CryptoHash {
 public:
  virtual ~CryptoHash() = default;
  virtual bool HashData(std::span<const std::uint8_t> data) = 0;
  // Null when the provider refuses.
  virtual std::unique_ptr<CryptoKey> DeriveKey(std::uint32_t algorithm, std::uint32_t flags) = 0;
};

class CryptoContext {
 public:
  virtual ~CryptoContext() = default;
  // Null when the provider refuses.
  virtual std::unique_ptr<CryptoHash> CreateHash(std::uint32_t algorithm) = 0;
};

class CryptoProvider {
 public:
  virtual ~CryptoProvider() = default;
  // The default provider of the given type with the named key container; null when it cannot be had.
  virtual std::unique_ptr<CryptoContext> AcquireContext(const std::string& container, std::uint32_t providerType,
                                                        std::uint32_t flags) = 0;
};

}  // namespace velloway
