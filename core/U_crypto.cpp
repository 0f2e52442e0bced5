// EncryptPassword and DecryptPassword: a SHA-1 of the pass phrase, an AES-256 key derived from it, and the
// cipher bytes as hex text.
#include "core/U_crypto.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/RuntimeError.h"
#include "core/SecureWipe.h"
#include "core/U_GetMyMac.h"

namespace velloway {
namespace {

// Never change these three: every stored password was encrypted with a key made from them, and a
// different value would silently make every settings file's passwords unreadable.
constexpr char16_t kPassPhrase1[] = u"VlwPw";
constexpr char16_t kPassPhrase2[] = u"Key#7";
constexpr char16_t kPassPhrase3[] = u"2x9Q";

constexpr char kContainer[] = "Velloway_Context";
constexpr char16_t kHexDigits[] = u"0123456789ABCDEF";

// Declared in acquisition order, so that they are released in reverse: key, hash, context.
struct DerivedKey {
  std::unique_ptr<CryptoContext> context;
  std::unique_ptr<CryptoHash> hash;
  std::unique_ptr<CryptoKey> key;
};

// Built afresh at every call: the machine address may have changed since the last one.
std::string PassPhraseBytes(const Text& address) {
  const Text passPhrase = Text(kPassPhrase1) + kPassPhrase2 + kPassPhrase3 + address;
  std::string bytes;
  bytes.reserve(passPhrase.size() * 2);
  for (const char16_t c : passPhrase) {  // UTF-16LE, two bytes per character
    bytes.push_back(static_cast<char>(c & 0xFF));
    bytes.push_back(static_cast<char>(c >> 8));
  }
  return bytes;
}

// The key is null when any step fails; whatever was acquired goes with the result. address: the adapter
// address to make the key with; none: the one GetMyMac gives now.
DerivedKey SetUpKey(const CryptoServices& services, const Text* address = nullptr) {
  DerivedKey result;
  result.context = services.provider.AcquireContext(kContainer, kProviderRsaAes, kCryptMachineKeySet);
  // The machine's container does not exist before the first use.
  if (!result.context) {
    result.context =
        services.provider.AcquireContext(kContainer, kProviderRsaAes, kCryptMachineKeySet | kCryptNewKeySet);
  }
  if (!result.context) return result;
  result.hash = result.context->CreateHash(kAlgorithmSha1);
  if (!result.hash) return result;
  std::string passPhrase = PassPhraseBytes(address != nullptr ? *address : GetMyMac(services.netBios));
  const WipeOnExit wipePassPhrase(passPhrase);
  if (!result.hash->HashData({reinterpret_cast<const std::uint8_t*>(passPhrase.data()), passPhrase.size()})) {
    return result;
  }
  result.key = result.hash->DeriveKey(kAlgorithmAes256, kKeyLength256Bits);
  return result;
}

int HexValue(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

std::optional<std::uint8_t> HexByte(TextView pair) {
  const int high = HexValue(pair[0]);
  const int low = HexValue(pair[1]);
  if (high < 0 || low < 0) return std::nullopt;
  return static_cast<std::uint8_t>(high * 16 + low);
}

}  // namespace

CipherOutcome TryEncryptPassword(TextView password, const CryptoServices& services) {
  const DerivedKey derived = SetUpKey(services);
  if (!derived.key) return {};

  std::string plain = services.codePage.FromText(password);
  const WipeOnExit wipePlain(plain);
  const std::size_t n = plain.size();
  if (n > (std::numeric_limits<std::uint32_t>::max() - 16) / 9) return {};
  // Room for the padding block and then some, as the stored texts have always been made.
  std::vector<std::uint8_t> work(9 * n + 16, 0);
  const WipeOnExit wipeWork(work);
  std::copy(plain.begin(), plain.end(), work.begin());

  std::uint32_t length = static_cast<std::uint32_t>(n);
  const CryptoCallResult result = derived.key->Encrypt(work, length);
  if (!result.succeeded) return CipherOutcome{false, {}, result.lastError};
  CipherOutcome outcome{true, {}, 0};
  outcome.text.reserve(std::size_t{length} * 2);
  for (std::size_t i = 0; i < std::min<std::size_t>(length, work.size()); ++i) {
    outcome.text += kHexDigits[work[i] >> 4];
    outcome.text += kHexDigits[work[i] & 0x0F];
  }
  return outcome;
}

Text EncryptPassword(TextView password, const CryptoServices& services) {
  return std::move(TryEncryptPassword(password, services).text);
}

Text ErrorCodeText(std::uint32_t code) {
  Text digits;
  do {
    digits.insert(digits.begin(), kHexDigits[code & 0x0F]);
    code >>= 4;
  } while (code != 0);
  return Text(digits.size() < 4 ? 4 - digits.size() : 0, u'0') + digits;
}

namespace {

// hexValid: false when a pair is not hexadecimal, the work then being left incomplete. address: as SetUpKey.
// plausible: whether a decrypted text is one the password box could have held (PlausiblePassword).
CipherOutcome DecryptWith(TextView cipherText, const CryptoServices& services, const Text* address, bool& hexValid,
                          bool& plausible) {
  hexValid = true;
  plausible = false;
  const DerivedKey derived = SetUpKey(services, address);
  if (!derived.key) return {};

  const std::size_t n = cipherText.size() / 2;  // a trailing odd digit is ignored
  if (n > std::numeric_limits<std::uint32_t>::max()) return {};
  std::vector<std::uint8_t> work(n, 0);
  const WipeOnExit wipeWork(work);
  for (std::size_t k = 0; k < n; ++k) {
    const std::optional<std::uint8_t> byte = HexByte(cipherText.substr(2 * k, 2));
    if (!byte) {
      hexValid = false;
      return {};
    }
    work[k] = *byte;
  }

  std::uint32_t length = static_cast<std::uint32_t>(n);
  const CryptoCallResult result = derived.key->Decrypt(work, length);
  if (!result.succeeded) return CipherOutcome{false, {}, result.lastError};
  std::string plain(work.begin(), work.begin() + static_cast<std::ptrdiff_t>(std::min<std::size_t>(length, n)));
  const WipeOnExit wipePlain(plain);
  CipherOutcome outcome{true, services.codePage.ToText(plain), 0};
  plausible = PlausiblePassword(outcome.text, plain, services.codePage);
  return outcome;
}

// A wrong key gives valid padding once in 256 times, and then random bytes. So a result is taken only when it is
// plausible as typed. The last answering adapter's key gave every stored text: its result is taken when the
// password box could have held it (PlausiblePassword), Japanese included; anything else would be sent to the
// server as the password. Otherwise, and when its padding fails, the text may have been stored under the address
// of an adapter that answered last then (a VPN, a docking station, a USB adapter come and gone): each other
// adapter's address is tried, and its result is taken only when it is also printable ASCII, what a password box
// with the input method off gives. That leaves about one false result in 10^9 decryptions of a one-block text,
// and far fewer for longer ones. Nothing plausible: nothing readable, so that the user is asked.
CipherOutcome Decrypt(TextView cipherText, const CryptoServices& services, bool& hexValid) {
  bool plausible = false;
  CipherOutcome outcome = DecryptWith(cipherText, services, nullptr, hexValid, plausible);
  if (!hexValid || (outcome.succeeded && plausible)) return outcome;
  if (outcome.succeeded) {
    WipeString(outcome.text);
    outcome = CipherOutcome{};
  }
  std::vector<Text> addresses = GetMyMacs(services.netBios);
  if (addresses.size() < 2) return outcome;
  addresses.pop_back();  // the last one answering is the one just tried
  for (auto address = addresses.rbegin(); address != addresses.rend(); ++address) {
    CipherOutcome other = DecryptWith(cipherText, services, &*address, hexValid, plausible);
    if (other.succeeded && plausible && PlausibleFallbackPassword(other.text)) return other;
    WipeString(other.text);
  }
  return outcome;
}

}  // namespace

bool PlausiblePassword(TextView password, std::string_view bytes, const AnsiCodePage& codePage) {
  const bool noControls =
      std::none_of(password.begin(), password.end(), [](char16_t c) { return c < u' ' || c == u'\x7F'; });
  if (!noControls || !codePage.CanRepresent(password)) return false;
  std::string again = codePage.FromText(password);
  const WipeOnExit wipeAgain(again);
  return again == bytes;
}

bool PlausibleFallbackPassword(TextView password) {
  return std::all_of(password.begin(), password.end(), [](char16_t c) { return c >= u' ' && c <= u'~'; });
}

CipherOutcome TryDecryptPassword(TextView cipherText, const CryptoServices& services) {
  if (cipherText.empty()) return CipherOutcome{true, {}, 0};
  bool hexValid = true;
  return Decrypt(cipherText, services, hexValid);
}

Text DecryptPassword(TextView cipherText, const CryptoServices& services) {
  bool hexValid = true;
  CipherOutcome outcome = Decrypt(cipherText, services, hexValid);
  if (!hexValid) {
    // The first pair that is not hexadecimal names the error, as a number conversion would.
    for (std::size_t k = 0; k + 1 < cipherText.size(); k += 2) {
      if (!HexByte(cipherText.substr(k, 2))) {
        throw RuntimeError(u"'" + Text(cipherText.substr(k, 2)) + u"' は有効な16進数ではありません");
      }
    }
  }
  return std::move(outcome.text);
}

}  // namespace velloway
