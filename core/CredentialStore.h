// Where a button's password may be kept instead of its Pass: a store of the signed-in user's, keyed by text.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Text.h"

namespace velloway {

class CredentialStore {
 public:
  virtual ~CredentialStore() = default;

  // The password stored under key, or none when there is no such entry or it cannot be read.
  virtual std::optional<Text> Read(const Text& key) const = 0;
  // 0 when stored (replacing what the key held), else the platform's error code.
  virtual std::uint32_t Write(const Text& key, TextView password) = 0;
  // Removes the entry, if there is one.
  virtual void Delete(const Text& key) = 0;
  // Whether two keys name the same entry: the store decides, as it may ignore letter case.
  virtual bool SameKey(const Text& a, const Text& b) const = 0;
};

}  // namespace velloway
