// A credential store in memory that, like Windows' Credential Manager, ignores the letter case of keys.
#pragma once

#include <map>
#include <optional>
#include <string>

#include "core/CredentialStore.h"

namespace velloway::testing {

class FakeCredentialStore final : public CredentialStore {
 public:
  std::optional<Text> Read(const Text& key) const override {
    const auto found = entries.find(Folded(key));
    if (found == entries.end()) return std::nullopt;
    return found->second;
  }
  std::uint32_t Write(const Text& key, TextView password) override {
    entries[Folded(key)] = Text(password);
    return 0;
  }
  void Delete(const Text& key) override { entries.erase(Folded(key)); }
  bool SameKey(const Text& a, const Text& b) const override { return Folded(a) == Folded(b); }

  // Keys as stored, in lower case.
  std::map<Text, Text> entries;

 private:
  static Text Folded(Text key) {
    for (char16_t& c : key) {
      if (c >= u'A' && c <= u'Z') c = static_cast<char16_t>(c - u'A' + u'a');
    }
    return key;
  }
};

}  // namespace velloway::testing
