// A test password that the test itself never holds in clear, and a search of the whole process's memory for it.
#pragma once

#include <windows.h>

#include <string>

namespace velloway::testing {

class SecretInMemory {
 public:
  // text is kept only scrambled; the clear form exists one character at a time while it is typed.
  explicit SecretInMemory(const std::u16string& scrambledWithKey);
  // Scrambles a clear text for the constructor (the literal lives in the exe's image, which no search reads).
  static std::u16string Scramble(const wchar_t* clear);

  // Types the secret into an edit control as the keyboard would, a WM_CHAR per character.
  void Type(HWND edit) const;
  size_t Length() const noexcept { return scrambled_.size(); }
  // Whether any writable or mapped memory of this process (the exe's and DLLs' images excepted) holds the
  // secret without its first character, as UTF-16 or as single bytes: what a box emptied by a plain empty text
  // leaves behind.
  bool FoundInProcessMemory() const;

 private:
  std::u16string scrambled_;
};

}  // namespace velloway::testing
