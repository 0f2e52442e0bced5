// The password cipher's dealings with the provider, through a recording stand-in: the calls and their
// arguments, which failures stay silent, the error message, and the release order on every path.
#include <gtest/gtest.h>

#include <iostream>
#include <map>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "FakeNetBios.h"
#include "TestPlatform.h"
#include "core/RuntimeError.h"
#include "core/U_crypto.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

using testing::FakeNetBios;

std::string Hex(const std::uint8_t* data, std::size_t size) {
  std::string text;
  for (std::size_t i = 0; i < size; ++i) {
    text += "0123456789ABCDEF"[data[i] >> 4];
    text += "0123456789ABCDEF"[data[i] & 0x0F];
  }
  return text;
}

std::string Utf16LeHex(TextView text) {
  std::string bytes;
  for (const char16_t c : text) bytes += {static_cast<char>(c & 0xFF), static_cast<char>(c >> 8)};
  return Hex(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size());
}

enum class Failing { Nothing, FirstAcquire, BothAcquires, CreateHash, DeriveKey, Encrypt, Decrypt };

// Records every call as a line; its "cipher" XORs each byte with 0xA5 and appends 16 bytes of 0xA5.
struct Provider final : CryptoProvider {
  Failing failing = Failing::Nothing;
  std::uint32_t encryptError = 0;
  std::vector<std::string> log;
  // Keys that decrypt from a table instead: by the hashed pass phrase's hex, the plain bytes of each cipher
  // text's hex. A cipher text not in a key's table fails as bad padding does.
  std::map<std::string, std::map<std::string, std::string>> decryptions;

  struct Key final : CryptoKey {
    Provider& p;
    std::string passPhrase;
    Key(Provider& provider, std::string hashed) : p(provider), passPhrase(std::move(hashed)) {}
    ~Key() override { p.log.push_back("release key"); }
    CryptoCallResult Encrypt(std::span<std::uint8_t> buffer, std::uint32_t& length) override {
      bool restZero = true;
      for (std::size_t i = length; i < buffer.size(); ++i) restZero = restZero && buffer[i] == 0;
      p.log.push_back("encrypt " + Hex(buffer.data(), length) + " size " + std::to_string(buffer.size()) +
                      (restZero ? " zero-filled" : " dirty"));
      if (p.failing == Failing::Encrypt) return {false, p.encryptError};
      for (std::size_t i = 0; i < length + 16; ++i) buffer[i] ^= 0xA5;
      length += 16;
      return {true, 0};
    }
    CryptoCallResult Decrypt(std::span<std::uint8_t> buffer, std::uint32_t& length) override {
      p.log.push_back("decrypt " + Hex(buffer.data(), length));
      if (p.failing == Failing::Decrypt || length < 16) return {false, 0x80090005};
      const auto table = p.decryptions.find(passPhrase);
      if (table != p.decryptions.end()) {
        const auto plain = table->second.find(Hex(buffer.data(), length));
        if (plain == table->second.end()) return {false, 0x80090005};
        std::copy(plain->second.begin(), plain->second.end(), buffer.begin());
        length = static_cast<std::uint32_t>(plain->second.size());
        return {true, 0};
      }
      length -= 16;
      for (std::size_t i = 0; i < length; ++i) buffer[i] ^= 0xA5;
      return {true, 0};
    }
  };
  struct Hash final : CryptoHash {
    Provider& p;
    std::string hashed;
    explicit Hash(Provider& provider) : p(provider) {}
    ~Hash() override { p.log.push_back("release hash"); }
    bool HashData(std::span<const std::uint8_t> data) override {
      hashed += Hex(data.data(), data.size());
      p.log.push_back("hash data " + Hex(data.data(), data.size()));
      return true;
    }
    std::unique_ptr<CryptoKey> DeriveKey(std::uint32_t algorithm, std::uint32_t flags) override {
      p.log.push_back("derive " + std::to_string(algorithm) + " " + std::to_string(flags));
      return p.failing == Failing::DeriveKey ? nullptr : std::make_unique<Key>(p, hashed);
    }
  };
  struct Context final : CryptoContext {
    Provider& p;
    explicit Context(Provider& provider) : p(provider) {}
    ~Context() override { p.log.push_back("release context"); }
    std::unique_ptr<CryptoHash> CreateHash(std::uint32_t algorithm) override {
      p.log.push_back("create hash " + std::to_string(algorithm));
      return p.failing == Failing::CreateHash ? nullptr : std::make_unique<Hash>(p);
    }
  };

  std::unique_ptr<CryptoContext> AcquireContext(const std::string& container, std::uint32_t type,
                                                std::uint32_t flags) override {
    log.push_back("acquire " + container + " " + std::to_string(type) + " " + std::to_string(flags));
    const bool refuse = failing == Failing::BothAcquires || (failing == Failing::FirstAcquire && flags == 0x20);
    return refuse ? nullptr : std::make_unique<Context>(*this);
  }
};

// "経理pa" in code page 932 under the fake cipher.
const std::string kPlainHex = "8C6F979D7061";
const std::string kCipherHex = "29CA3238D5C4A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5A5";
// The pass phrase with the address of the fake adapter.
const std::string kHashData = "hash data " + Utf16LeHex(u"VlwPwKey#72x9Q00-1A-2B-3C-4D-5E");

struct CallCase {
  const char* name;
  Failing failing;
  std::uint32_t encryptError;
  bool encrypting;
  std::string result;
  std::vector<std::string> log;
  std::vector<std::string> shown;
};

void PrintTo(const CallCase& c, std::ostream* out) { *out << c.name; }

class CryptoCallsTest : public ::testing::TestWithParam<CallCase> {};

TEST_P(CryptoCallsTest, CallsTheProviderInOrderAndReleasesInReverse) {
  const CallCase& c = GetParam();
  Provider provider;
  provider.failing = c.failing;
  provider.encryptError = c.encryptError;
  FakeNetBios netBios({{0, 0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
  const CryptoServices services{provider, netBios, testing::TestCodePage()};

  Text result;
  std::vector<std::string> shown;  // what the caller shows the user: the error code of a failed encryption
  if (c.encrypting) {
    const CipherOutcome outcome = TryEncryptPassword(u"経理pa", services);
    result = outcome.text;
    if (outcome.lastError != 0) shown.push_back(EncodeUtf8(ErrorCodeText(outcome.lastError)));
  } else {
    result = DecryptPassword(DecodeUtf8(kCipherHex), services);
  }
  EXPECT_EQ(EncodeUtf8(result), c.result);
  EXPECT_EQ(provider.log, c.log);
  EXPECT_EQ(shown, c.shown);
}

const std::string kAcquire = "acquire Velloway_Context 24 32";
const std::string kAcquireNew = "acquire Velloway_Context 24 40";
const std::string kCreateHash = "create hash 32772";
const std::string kDerive = "derive 26128 16777216";
const std::string kEncrypt = "encrypt " + kPlainHex + " size 70 zero-filled";  // 9 * 6 + 16 bytes
const std::string kDecrypt = "decrypt " + kCipherHex;

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Steps, CryptoCallsTest,
    ::testing::Values(
        CallCase{"encrypts", Failing::Nothing, 0, true, kCipherHex,
                 {kAcquire, kCreateHash, kHashData, kDerive, kEncrypt, "release key", "release hash", "release context"},
                 {}},
        CallCase{"decrypts", Failing::Nothing, 0, false, "経理pa",
                 {kAcquire, kCreateHash, kHashData, kDerive, kDecrypt, "release key", "release hash", "release context"},
                 {}},
        CallCase{"creates the container when it is missing", Failing::FirstAcquire, 0, true, kCipherHex,
                 {kAcquire, kAcquireNew, kCreateHash, kHashData, kDerive, kEncrypt, "release key", "release hash",
                  "release context"},
                 {}},
        CallCase{"no context", Failing::BothAcquires, 0, true, "", {kAcquire, kAcquireNew}, {}},
        CallCase{"no hash", Failing::CreateHash, 0, false, "", {kAcquire, kCreateHash, "release context"}, {}},
        CallCase{"no key", Failing::DeriveKey, 0, true, "",
                 {kAcquire, kCreateHash, kHashData, kDerive, "release hash", "release context"}, {}},
        CallCase{"encryption fails: four digits at least", Failing::Encrypt, 0x57, true, "",
                 {kAcquire, kCreateHash, kHashData, kDerive, kEncrypt, "release key", "release hash", "release context"},
                 {"0057"}},
        CallCase{"encryption fails: all the digits", Failing::Encrypt, 0x8009000F, true, "",
                 {kAcquire, kCreateHash, kHashData, kDerive, kEncrypt, "release key", "release hash", "release context"},
                 {"8009000F"}},
        CallCase{"decryption fails silently", Failing::Decrypt, 0, false, "",
                 {kAcquire, kCreateHash, kHashData, kDerive, kDecrypt, "release key", "release hash", "release context"},
                 {}}));
// clang-format on

// A bad pair stops the decryption with the conversion error, and still releases everything.
TEST(DecryptPassword, RaisesOnAPairThatIsNotHexadecimal) {
  Provider provider;
  FakeNetBios netBios;
  const CryptoServices services{provider, netBios, testing::TestCodePage()};
  try {
    DecryptPassword(u"00a1G7ff", services);
    FAIL() << "no error raised";
  } catch (const RuntimeError& error) {
    EXPECT_EQ(EncodeUtf8(error.Message()), "'G7' は有効な16進数ではありません");
  }
  EXPECT_EQ(provider.log.back(), "release context");
}

// The checked forms tell every failure apart from an empty password.
TEST(TryPasswordCipher, ReportsEveryFailureAsAValue) {
  for (const Failing failing :
       {Failing::Nothing, Failing::BothAcquires, Failing::CreateHash, Failing::DeriveKey, Failing::Encrypt}) {
    Provider provider;
    provider.failing = failing;
    provider.encryptError = 0x57;
    FakeNetBios netBios({{0, 0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
    const CryptoServices services{provider, netBios, testing::TestCodePage()};
    const CipherOutcome encrypted = TryEncryptPassword(u"", services);
    EXPECT_EQ(encrypted.succeeded, failing == Failing::Nothing) << static_cast<int>(failing);
    EXPECT_EQ(encrypted.text.size(), failing == Failing::Nothing ? 32u : 0u);
    EXPECT_EQ(encrypted.lastError, failing == Failing::Encrypt ? 0x57u : 0u);
  }

  Provider provider;
  FakeNetBios netBios;
  const CryptoServices services{provider, netBios, testing::TestCodePage()};
  EXPECT_TRUE(TryDecryptPassword(u"", services).succeeded);
  EXPECT_TRUE(provider.log.empty()) << "the empty text needs no key";
  EXPECT_FALSE(TryDecryptPassword(u"00a1G7ff", services).succeeded);
  EXPECT_EQ(provider.log.back(), "release context");
  EXPECT_FALSE(TryDecryptPassword(u"00", services).succeeded);  // the provider rejects the final block
  const CipherOutcome decrypted = TryDecryptPassword(DecodeUtf8(kCipherHex), services);
  EXPECT_TRUE(decrypted.succeeded);
  EXPECT_EQ(decrypted.text, u"経理pa");
}

// One cipher text, read on a machine whose last answering adapter is A and whose other adapter is B. What A's
// key gives is taken only when the password box could have held it; otherwise B's is tried, and taken only when
// it is printable ASCII. Nothing plausible gives nothing readable, never the bytes as a password.
struct PlausibilityCase {
  const char* name;
  std::string underLast;                  // the plain bytes A's key gives (in code page 932)
  std::optional<std::string> underOther;  // B's; none: its padding fails
  Text password;                          // what is returned, empty when nothing is readable
};

void PrintTo(const PlausibilityCase& c, std::ostream* out) { *out << c.name; }

class DecryptionPlausibilityTest : public ::testing::TestWithParam<PlausibilityCase> {};

TEST_P(DecryptionPlausibilityTest, TakesOnlyWhatThePasswordBoxCouldHold) {
  const PlausibilityCase& c = GetParam();
  const std::string cipherHex = "0123456789ABCDEFFEDCBA9876543210";
  Provider provider;
  provider.decryptions[Utf16LeHex(u"VlwPwKey#72x9Q00-1A-2B-3C-4D-5E")] = {{cipherHex, c.underLast}};
  provider.decryptions[Utf16LeHex(u"VlwPwKey#72x9Q02-FC-00-00-00-01")] = {};
  if (c.underOther) provider.decryptions[Utf16LeHex(u"VlwPwKey#72x9Q02-FC-00-00-00-01")][cipherHex] = *c.underOther;
  FakeNetBios netBios({{1, 0, {0x02, 0xFC, 0x00, 0x00, 0x00, 0x01}}, {0, 0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}}});
  const CryptoServices services{provider, netBios, testing::TestCodePage()};

  const CipherOutcome outcome = TryDecryptPassword(DecodeUtf8(cipherHex), services);
  EXPECT_EQ(EncodeUtf8(outcome.text), EncodeUtf8(c.password));
  EXPECT_EQ(outcome.succeeded, !c.password.empty());
  EXPECT_EQ(EncodeUtf8(DecryptPassword(DecodeUtf8(cipherHex), services)), EncodeUtf8(c.password));
}

// clang-format off
INSTANTIATE_TEST_SUITE_P(
    Results, DecryptionPlausibilityTest,
    ::testing::Values(
        PlausibilityCase{"Japanese from the last adapter",     "\x8C\x6F\x97\x9Dpass", "pw",          u"経理pass"},
        PlausibilityCase{"half-width katakana and a 5C trail", "\xCA\xDF\x83\x5C\x95\x5C", std::nullopt, u"ﾊﾟソ表"},
        PlausibilityCase{"printable ASCII from the last",      " !09AZaz~",              std::nullopt,  u" !09AZaz~"},
        PlausibilityCase{"a tab",                              "pw\tx",                  std::nullopt,  u""},
        PlausibilityCase{"an escape sequence",                 "\x1B[31mpw",             std::nullopt,  u""},
        PlausibilityCase{"a delete",                           "pw\x7F",                 std::nullopt,  u""},
        PlausibilityCase{"a nul",                              std::string("p\0w", 3),   std::nullopt,  u""},
        PlausibilityCase{"a lead byte without its trail",      "pw\x83",                 std::nullopt,  u""},
        PlausibilityCase{"bytes the code page writes otherwise", "\x87\x90",            std::nullopt,  u""},
        PlausibilityCase{"garbage, the password under the other", "\x01\x9F\xE3",      "Pass-word 1", u"Pass-word 1"},
        PlausibilityCase{"garbage, Japanese under the other",  "\x01\x9F\xE3",          "\x8C\x6F\x97\x9D", u""},
        PlausibilityCase{"garbage, garbage under the other",   "\x01\x9F\xE3",          "\x1B\x80",  u""},
        PlausibilityCase{"a plausible last needs no other",    "\x8C\x6F\x97\x9D",      "other",       u"経理"}));
// clang-format on

TEST(PlausibleFallbackPassword, TakesPrintableAsciiOnly) {
  EXPECT_TRUE(PlausibleFallbackPassword(u""));
  EXPECT_TRUE(PlausibleFallbackPassword(u" !09AZaz~{}|\\\"'"));
  for (const Text& password : {Text(u"経理pass"), Text(u"ｱ"), Text(u"a\tb"), Text(u"\x7F"), Text(u"pw\x1F")}) {
    EXPECT_FALSE(PlausibleFallbackPassword(password)) << EncodeUtf8(password);
  }
}

// What a wrong adapter's key gives: with valid padding (a last byte of 01, once in 256 times) a one-block text
// leaves 15 random bytes. How often such bytes pass for a password is measured here on a fixed random sample;
// times 1/256 it is the rate at which a wrong address is taken, which must be far below one in a million.
TEST(PlausibleFallbackPassword, RandomBytesPassOnceInMillionsSoAWrongKeyFarLessThanOnceInAMillion) {
  std::mt19937_64 random(20261211);
  constexpr int kSamples = 20'000'000;
  int passed = 0;
  // As the code page turns the bytes into text: every byte of 0x80 or more becomes a character beyond ASCII.
  Text text(15, u'\0');
  for (int i = 0; i < kSamples; ++i) {
    const std::uint64_t a = random();
    const std::uint64_t b = random();
    for (std::size_t k = 0; k < 15; ++k) text[k] = static_cast<char16_t>(((k < 8 ? a : b) >> (8 * (k % 8))) & 0xFF);
    if (PlausibleFallbackPassword(text)) ++passed;
  }
  const double rate = static_cast<double>(passed) / kSamples / 256;
  std::cout << "random 15 bytes taken: " << passed << " of " << kSamples << "; a wrong key taken about " << rate
            << " of decryptions\n";
  EXPECT_LT(rate, 1e-8);
}

}  // namespace
}  // namespace velloway
