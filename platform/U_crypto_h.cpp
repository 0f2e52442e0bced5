// The CryptoAPI provider: a context with its container, a hash in it, a key derived from the hash.
#include "platform/U_crypto_h.h"

namespace velloway {

static_assert(kProviderRsaAes == PROV_RSA_AES && kCryptMachineKeySet == CRYPT_MACHINE_KEYSET &&
              kCryptNewKeySet == CRYPT_NEWKEYSET);
static_assert(kAlgorithmSha1 == CALG_SHA1 && kAlgorithmAes256 == CALG_AES_256);

namespace {

CryptoCallResult CallResult(BOOL succeeded) {
  if (succeeded) return {true, 0};
  return {false, GetLastError()};
}

class WindowsCryptoKey final : public CryptoKey {
 public:
  explicit WindowsCryptoKey(UniqueCryptKey key) : key_(std::move(key)) {}

  CryptoCallResult Encrypt(std::span<std::uint8_t> buffer, std::uint32_t& dataLength) override {
    DWORD length = dataLength;
    const CryptoCallResult result =
        CallResult(CryptEncrypt(key_.get(), 0, TRUE, 0, buffer.data(), &length, static_cast<DWORD>(buffer.size())));
    if (result.succeeded) dataLength = length;
    return result;
  }

  CryptoCallResult Decrypt(std::span<std::uint8_t> buffer, std::uint32_t& dataLength) override {
    // Wine reads the byte before the buffer when the final block is empty and crashes. No bytes can never
    // hold the padding of a final block, so refuse them as the provider does any other bad final block.
    if (dataLength == 0) return {false, static_cast<std::uint32_t>(NTE_BAD_DATA)};
    DWORD length = dataLength;
    const CryptoCallResult result = CallResult(CryptDecrypt(key_.get(), 0, TRUE, 0, buffer.data(), &length));
    if (result.succeeded) dataLength = length;
    return result;
  }

 private:
  UniqueCryptKey key_;
};

class WindowsCryptoHash final : public CryptoHash {
 public:
  // The context is borrowed: the hash never outlives it.
  WindowsCryptoHash(HCRYPTPROV context, UniqueCryptHash hash) : context_(context), hash_(std::move(hash)) {}

  bool HashData(std::span<const std::uint8_t> data) override {
    return CryptHashData(hash_.get(), data.data(), static_cast<DWORD>(data.size()), 0) != FALSE;
  }

  std::unique_ptr<CryptoKey> DeriveKey(std::uint32_t algorithm, std::uint32_t flags) override {
    UniqueCryptKey key;
    if (!CryptDeriveKey(context_, algorithm, hash_.get(), flags, key.put())) return nullptr;
    return std::make_unique<WindowsCryptoKey>(std::move(key));
  }

 private:
  HCRYPTPROV context_;
  UniqueCryptHash hash_;
};

class WindowsCryptoContext final : public CryptoContext {
 public:
  explicit WindowsCryptoContext(UniqueCryptContext context) : context_(std::move(context)) {}

  std::unique_ptr<CryptoHash> CreateHash(std::uint32_t algorithm) override {
    UniqueCryptHash hash;
    if (!CryptCreateHash(context_.get(), algorithm, 0, 0, hash.put())) return nullptr;
    return std::make_unique<WindowsCryptoHash>(context_.get(), std::move(hash));
  }

 private:
  UniqueCryptContext context_;
};

}  // namespace

std::unique_ptr<CryptoContext> WindowsCryptoProvider::AcquireContext(const std::string& container,
                                                                     std::uint32_t providerType, std::uint32_t flags) {
  UniqueCryptContext context;
  // The default provider of the type: no provider name.
  if (!CryptAcquireContextA(context.put(), container.c_str(), nullptr, providerType, flags)) return nullptr;
  return std::make_unique<WindowsCryptoContext>(std::move(context));
}

}  // namespace velloway
