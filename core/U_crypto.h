// The password cipher: passwords as the upper-case hex text of the Pass field, with a key made from a fixed
// pass phrase and this machine's adapter address, so that the text is of no use on another machine.
#pragma once

#include <cstdint>
#include <string_view>

#include "core/AnsiCodePage.h"
#include "core/CryptoProvider.h"
#include "core/NetBios.h"
#include "core/Text.h"

namespace velloway {

// The platform services the cipher works through.
struct CryptoServices {
  CryptoProvider& provider;
  NetBios& netBios;
  const AnsiCodePage& codePage;
};

// What a cipher call gave: the cipher text or the password, or a failure the caller must act on.
struct CipherOutcome {
  bool succeeded = false;
  Text text;
  std::uint32_t lastError = 0;  // the provider's code when the encryption or decryption call itself failed
};

// The cipher text, a multiple of 32 digits; the empty text when any step fails.
Text EncryptPassword(TextView password, const CryptoServices& services);
// The same, with every failure (no context, hash or key included) as a value, for the caller to report.
CipherOutcome TryEncryptPassword(TextView password, const CryptoServices& services);

// A provider's error code as the user is shown it: at least four upper-case hexadecimal digits.
Text ErrorCodeText(std::uint32_t code);

// The password; the empty text when any step fails, silently. Either letter case is read and a trailing
// odd digit is ignored; a pair that is not hexadecimal raises a RuntimeError.
Text DecryptPassword(TextView cipherText, const CryptoServices& services);
// The same, with every failure as a value, a pair that is not hexadecimal included. The empty text
// decrypts to the empty password.
CipherOutcome TryDecryptPassword(TextView cipherText, const CryptoServices& services);

// Whether bytes decrypted to password are what the password box could have held: no control characters, and
// bytes that the code page gives back unchanged from the text (as the text's own bytes were encrypted). A
// result of the last answering adapter's key is taken only then; otherwise the other adapters are tried.
bool PlausiblePassword(TextView password, std::string_view bytes, const AnsiCodePage& codePage);

// Whether a password read with another adapter's address than the last answering one is taken: printable
// ASCII only, as a wrong key's random bytes seldom are.
bool PlausibleFallbackPassword(TextView password);

}  // namespace velloway
