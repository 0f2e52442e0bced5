// The password cipher on the real CryptoAPI and the machine address on the real NetBIOS, with the address
// chosen through a stand-in NetBIOS where a test needs to know it.
#include <windows.h>
#include <gtest/gtest.h>
#include <iphlpapi.h>

#include <algorithm>
#include <array>
#include <iostream>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FakeNetBios.h"
#include "core/RuntimeError.h"
#include "core/U_GetMyMac.h"
#include "core/U_crypto.h"
#include "core/Unicode.h"
#include "platform/U_crypto_h.h"
#include "platform/WindowsAnsiCodePage.h"
#include "platform/WindowsNetBios.h"

namespace velloway {
namespace {

using testing::FakeAdapter;
using testing::FakeNetBios;

constexpr std::uint8_t kRefused = 0x34;  // NRC_ENVNOTDEF
const FakeAdapter kAdapterA{0, 0, {0x00, 0x1A, 0x2B, 0x3C, 0x4D, 0x5E}};
const FakeAdapter kAdapterB{1, 0, {0x02, 0xFC, 0x00, 0x00, 0x00, 0x01}};

// Everything the cipher works through, real but for the adapters it sees.
struct Machine {
  explicit Machine(std::vector<FakeAdapter> adapters) : netBios(std::move(adapters)) {}
  WindowsCryptoProvider provider;
  FakeNetBios netBios;
  WindowsAnsiCodePage codePage;
  CryptoServices Services() { return {provider, netBios, codePage}; }
  Text Encrypt(TextView password) { return EncryptPassword(password, Services()); }
  Text Decrypt(TextView cipherText) { return DecryptPassword(cipherText, Services()); }
};

// Guards every stored password: the exact cipher texts of fixed passwords under fixed addresses.
// Made without CryptoAPI, by Python 3 and OpenSSL 3.0 from the documented derivation:
//   h   = hashlib.sha1(pass_phrase.encode("utf-16-le")).digest()
//   key = (sha1(bytes(0x36 ^ b for b in h.ljust(64, b"\0"))) + sha1(bytes(0x5C ^ b for b in h.ljust(64, b"\0"))))[:32]
//   openssl enc -aes-256-cbc -K <key hex> -iv 00 <<< password.encode("cp932")   (PKCS#7 padding, zero IV)
// with pass phrase "VlwPwKey#72x9Q" followed by the address ("" when no adapter answers).
struct KnownAnswer {
  const char* name;
  std::vector<FakeAdapter> adapters;
  Text password;
  Text cipherText;
};

void PrintTo(const KnownAnswer& c, std::ostream* out) { *out << c.name; }

class KnownAnswerTest : public ::testing::TestWithParam<KnownAnswer> {};

TEST_P(KnownAnswerTest, EncryptsToExactlyTheStoredTextAndBack) {
  Machine machine(GetParam().adapters);
  EXPECT_EQ(EncodeUtf8(machine.Encrypt(GetParam().password)), EncodeUtf8(GetParam().cipherText));
  EXPECT_EQ(machine.Decrypt(GetParam().cipherText), GetParam().password);
}

INSTANTIATE_TEST_SUITE_P(
    Vectors, KnownAnswerTest,
    ::testing::Values(
        // key 09EB0211B651FE9953990367710E68E9838316F1EC6EDF914B1F60C7ACD1C5B9
        KnownAnswer{"Japanese", {kAdapterA}, u"経理pass", u"ED6630A6D7AE2FEE86C2F11909362053"},
        // cp932 CADFBDDCB0C4DE955C835C945C: half-width katakana, and trail bytes 5C that read as "\" alone
        KnownAnswer{"Japanese with 5C trail bytes", {kAdapterA}, u"ﾊﾟｽﾜｰﾄﾞ表ソ能", u"1E94FBCF4AF5EEF6663977C1737E602C"},
        KnownAnswer{
            "the later of two adapters", {kAdapterB, kAdapterA}, u"経理pass", u"ED6630A6D7AE2FEE86C2F11909362053"},
        KnownAnswer{"a whole block gets a whole padding block",
                    {kAdapterA},
                    u"0123456789abcdef",
                    u"798CDB8F0BFB92C4BECE9708F14ACD8AE964A62663690001194A13218026D9C8"},
        // key CE67E22B759FD57F8603A33E5DC30A49890D154364BDE93F7757327EED8247B7: the 14-character pass phrase
        KnownAnswer{"empty, no adapter answering",
                    {{0, kRefused, {1, 2, 3, 4, 5, 6}}},
                    u"",
                    u"7D12C8E3FDF4DD670CEDB81891C0540F"}));

TEST(PasswordCipher, RoundTripsPasswordsOfUpTo40Characters) {
  const Text characters = u"経理パスワードabcXYZ019!\"#$%&'()ｱｲｳ漢字テスト,;:=~|\\ ";
  Machine machine({kAdapterA});
  for (std::size_t length = 0; length <= 40; ++length) {
    const Text password = characters.substr(0, length);
    const Text cipherText = machine.Encrypt(password);
    const std::size_t bytes = machine.codePage.FromText(password).size();
    EXPECT_EQ(cipherText.size(), (bytes / 16 + 1) * 32) << "length " << length;
    EXPECT_EQ(cipherText.find_first_not_of(u"0123456789ABCDEF"), Text::npos) << EncodeUtf8(cipherText);
    EXPECT_EQ(EncodeUtf8(machine.Decrypt(cipherText)), EncodeUtf8(password));
  }
}

// Another machine, another answering adapter, no answering adapter: the text gives nothing back, silently.
TEST(PasswordCipher, TextFromAnotherMachineAddressGivesNothing) {
  Machine here({kAdapterA});
  const Text cipherText = here.Encrypt(u"経理pass");
  ASSERT_EQ(here.Decrypt(cipherText), u"経理pass");
  for (const std::vector<FakeAdapter>& adapters : {std::vector<FakeAdapter>{kAdapterB}, {kAdapterA, kAdapterB}, {}}) {
    Machine elsewhere(adapters);
    EXPECT_EQ(elsewhere.Decrypt(cipherText), u"");
  }
}

struct ReadCase {
  Text cipherText;
  Text password;
};

// Every other way of reading "経理pass" (ED6630A6D7AE2FEE86C2F11909362053): either case, a trailing odd
// digit, or damage, which gives the empty text without a message.
TEST(PasswordCipher, ReadsEitherCaseIgnoresATrailingDigitAndGivesNothingForDamage) {
  const ReadCase cases[] = {
      {u"ed6630a6d7ae2fee86c2f11909362053", u"経理pass"},
      {u"Ed6630A6d7aE2fEE86c2F11909362053", u"経理pass"},
      {u"ED6630A6D7AE2FEE86C2F119093620537", u"経理pass"},
      {u"ed6630a6d7ae2fee86c2f11909362053F", u"経理pass"},
      {u"", u""},                                  // no block at all
      {u"ED6630A6D7AE2FEE", u""},                  // half a block
      {u"ED6630A6D7AE2FEE86C2F11909362054", u""},  // the padding no longer checks
  };
  Machine machine({kAdapterA});
  for (const ReadCase& c : cases) {
    EXPECT_EQ(EncodeUtf8(machine.Decrypt(c.cipherText)), EncodeUtf8(c.password)) << EncodeUtf8(c.cipherText);
  }
}

TEST(PasswordCipher, RaisesTheConversionErrorForAPairThatIsNotHexadecimal) {
  Machine machine({kAdapterA});
  for (const Text cipherText : {u"XYD7AE2FEE86C2F11909362053ED6630", u"ED6630A6D7AE2FEE86C2F119093620 3"}) {
    try {
      machine.Decrypt(cipherText);
      ADD_FAILURE() << "no error for " << EncodeUtf8(cipherText);
    } catch (const RuntimeError& error) {
      EXPECT_EQ(EncodeUtf8(error.Message()), "'" + EncodeUtf8(cipherText.substr(cipherText.find_first_of(u"X "), 2)) +
                                                 "' は有効な16進数ではありません");
    }
  }
}

// The machine's key container does not exist before the first use: the cipher creates it, and then finds it.
TEST(PasswordCipher, CreatesTheMachineKeyContainerOnFirstUse) {
  HCRYPTPROV deleted = 0;
  CryptAcquireContextA(&deleted, "Velloway_Context", nullptr, PROV_RSA_AES, CRYPT_MACHINE_KEYSET | CRYPT_DELETEKEYSET);
  UniqueCryptContext missing;
  ASSERT_FALSE(CryptAcquireContextA(missing.put(), "Velloway_Context", nullptr, PROV_RSA_AES, CRYPT_MACHINE_KEYSET));

  Machine machine({kAdapterA});
  EXPECT_EQ(machine.Encrypt(u"経理pass"), u"ED6630A6D7AE2FEE86C2F11909362053");
  UniqueCryptContext found;
  EXPECT_TRUE(CryptAcquireContextA(found.put(), "Velloway_Context", nullptr, PROV_RSA_AES, CRYPT_MACHINE_KEYSET));
  EXPECT_EQ(machine.Decrypt(u"ED6630A6D7AE2FEE86C2F11909362053"), u"経理pass");
}

const FakeAdapter kAdapterC{2, 0, {0x0A, 0x00, 0x27, 0x00, 0x00, 0x07}};

// A text stored while adapter A answered last, read after a VPN or docking adapter B has come to answer last:
// A's address is tried next, and a printable ASCII password is taken. Other passwords, and addresses this
// machine does not have, give nothing as before.
TEST(PasswordCipher, AnotherAdapterOfThisMachineStillReadsAnAsciiPassword) {
  Machine then({kAdapterA});
  const Text ascii = then.Encrypt(u"Pass-word 1");
  const Text japanese = then.Encrypt(u"経理pass");
  struct Case {
    const char* name;
    std::vector<FakeAdapter> adapters;
    Text ascii;
  };
  const Case cases[] = {
      {"A then B", {kAdapterA, kAdapterB}, u"Pass-word 1"},
      {"A among three", {kAdapterB, kAdapterA, kAdapterC}, u"Pass-word 1"},
      {"B alone", {kAdapterB}, u""},
      {"B and C", {kAdapterB, kAdapterC}, u""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Machine now(c.adapters);
    EXPECT_EQ(now.Decrypt(ascii), c.ascii);
    const CipherOutcome tried = TryDecryptPassword(ascii, now.Services());
    EXPECT_EQ(tried.succeeded, !c.ascii.empty());
    EXPECT_EQ(tried.text, c.ascii);
    EXPECT_EQ(now.Decrypt(japanese), u"");
  }
}

// The key the cipher makes from an address, through the real CryptoAPI, to decrypt with it alone.
struct AddressKey {
  explicit AddressKey(TextView address) {
    context = provider.AcquireContext("Velloway_Context", kProviderRsaAes, kCryptMachineKeySet);
    if (!context)
      context = provider.AcquireContext("Velloway_Context", kProviderRsaAes, kCryptMachineKeySet | kCryptNewKeySet);
    if (!context) return;
    hash = context->CreateHash(kAlgorithmSha1);
    const Text passPhrase = u"VlwPwKey#72x9Q" + Text(address);
    if (!hash || !hash->HashData({reinterpret_cast<const std::uint8_t*>(passPhrase.data()), passPhrase.size() * 2})) {
      return;
    }
    key = hash->DeriveKey(kAlgorithmAes256, kKeyLength256Bits);
  }
  WindowsCryptoProvider provider;
  std::unique_ptr<CryptoContext> context;
  std::unique_ptr<CryptoHash> hash;
  std::unique_ptr<CryptoKey> key;
};

// A password stored while adapter B answered last, whose cipher text A's key (answering last now) decrypts with
// valid padding into bytes with a control character: found by a fixed search over numbered passwords. Those
// bytes are never returned as the password; with B still there, B's key gives the password back.
TEST(PasswordCipher, AWrongKeysValidPaddingGivesNothingAndTheOtherAdapterTheRightPassword) {
  AddressKey wrongKey(u"00-1A-2B-3C-4D-5E");
  ASSERT_TRUE(wrongKey.key);
  Machine then({kAdapterB});
  Text password;
  Text cipherText;
  std::string garbage;
  for (int i = 0; i < 20000 && cipherText.empty(); ++i) {
    const Text candidate = u"Pass-" + DecodeUtf8(std::to_string(i));
    const Text candidateCipher = then.Encrypt(candidate);
    ASSERT_EQ(candidateCipher.size(), 32u);
    std::array<std::uint8_t, 16> block{};
    for (std::size_t k = 0; k < block.size(); ++k) {
      block[k] = static_cast<std::uint8_t>(std::stoi(EncodeUtf8(candidateCipher.substr(2 * k, 2)), nullptr, 16));
    }
    std::uint32_t length = 16;
    if (!wrongKey.key->Decrypt(block, length).succeeded) continue;
    const std::string plain(block.begin(), block.begin() + length);
    if (std::any_of(plain.begin(), plain.end(), [](char c) { return (c >= 0 && c < ' ') || c == '\x7F'; })) {
      password = candidate;
      cipherText = candidateCipher;
      garbage = plain;
    }
  }
  ASSERT_FALSE(cipherText.empty()) << "no candidate found";
  std::cout << EncodeUtf8(password) << ": " << EncodeUtf8(cipherText) << " decrypts under A to " << garbage.size()
            << " bytes\n";

  Machine now({kAdapterA});
  const CipherOutcome alone = TryDecryptPassword(cipherText, now.Services());
  EXPECT_FALSE(alone.succeeded);
  EXPECT_EQ(EncodeUtf8(alone.text), "");
  EXPECT_EQ(EncodeUtf8(now.Decrypt(cipherText)), "");

  Machine both({kAdapterB, kAdapterA});
  const CipherOutcome withB = TryDecryptPassword(cipherText, both.Services());
  EXPECT_TRUE(withB.succeeded);
  EXPECT_EQ(EncodeUtf8(withB.text), EncodeUtf8(password));
}

// Random keys on random one-block texts through the real CryptoAPI, on a fixed sample: how often the padding
// checks (about one in 256) and how often the result is then taken as a password (never, in a million).
TEST(PasswordCipher, AWrongAddressIsTakenFarLessThanOnceInAMillion) {
  WindowsCryptoProvider provider;
  WindowsAnsiCodePage codePage;
  auto context = provider.AcquireContext("Velloway_Context", kProviderRsaAes, kCryptMachineKeySet);
  if (!context)
    context = provider.AcquireContext("Velloway_Context", kProviderRsaAes, kCryptMachineKeySet | kCryptNewKeySet);
  ASSERT_TRUE(context);
  std::mt19937_64 random(1211);
  constexpr int kKeys = 1000;
  constexpr int kTextsPerKey = 1000;
  int paddingValid = 0;
  int taken = 0;
  for (int k = 0; k < kKeys; ++k) {
    std::array<std::uint8_t, 16> seed{};
    for (auto& byte : seed) byte = static_cast<std::uint8_t>(random());
    const auto hash = context->CreateHash(kAlgorithmSha1);
    ASSERT_TRUE(hash && hash->HashData(seed));
    const auto key = hash->DeriveKey(kAlgorithmAes256, kKeyLength256Bits);
    ASSERT_TRUE(key);
    for (int t = 0; t < kTextsPerKey; ++t) {
      std::array<std::uint8_t, 16> block{};
      for (auto& byte : block) byte = static_cast<std::uint8_t>(random());
      std::uint32_t length = 16;
      if (!key->Decrypt(block, length).succeeded) continue;
      ++paddingValid;
      const std::string plain(block.begin(), block.begin() + length);
      if (PlausibleFallbackPassword(codePage.ToText(plain))) ++taken;
    }
  }
  const int decryptions = kKeys * kTextsPerKey;
  std::cout << "padding valid " << paddingValid << " of " << decryptions << ", taken " << taken << "\n";
  EXPECT_GT(paddingValid, decryptions / 256 * 9 / 10) << "the decryptions did not run";
  EXPECT_LT(paddingValid, decryptions / 256 * 11 / 10);
  EXPECT_EQ(taken, 0);
}

// The physical addresses of this machine's adapters as the IP helper reports them, formatted alike.
std::set<std::string> AdapterAddresses() {
  ULONG size = 64 * 1024;
  std::vector<unsigned char> buffer(size);
  auto* first = reinterpret_cast<IP_ADAPTER_INFO*>(buffer.data());
  std::set<std::string> addresses;
  if (GetAdaptersInfo(first, &size) != ERROR_SUCCESS) return addresses;
  for (const IP_ADAPTER_INFO* adapter = first; adapter != nullptr; adapter = adapter->Next) {
    if (adapter->AddressLength != 6) continue;
    char text[18];
    const BYTE* a = adapter->Address;
    wsprintfA(text, "%02X-%02X-%02X-%02X-%02X-%02X", a[0], a[1], a[2], a[3], a[4], a[5]);
    addresses.insert(text);
  }
  return addresses;
}

TEST(WindowsNetBios, GivesTheAddressOfAnAdapterOfThisMachineAndTheCipherWorksWithIt) {
  WindowsNetBios netBios;
  const Text address = GetMyMac(netBios);
  ASSERT_EQ(address.size(), 17u) << "no adapter answered: " << EncodeUtf8(address);
  const std::set<std::string> known = AdapterAddresses();
  EXPECT_TRUE(known.contains(EncodeUtf8(address))) << EncodeUtf8(address);
  EXPECT_EQ(GetMyMac(netBios), address);

  WindowsCryptoProvider provider;
  WindowsAnsiCodePage codePage;
  const CryptoServices services{provider, netBios, codePage};
  const Text cipherText = EncryptPassword(u"経理pass", services);
  EXPECT_EQ(DecryptPassword(cipherText, services), u"経理pass");
  EXPECT_NE(cipherText, Machine({}).Encrypt(u"経理pass")) << "the address did not reach the key";
}

}  // namespace
}  // namespace velloway
