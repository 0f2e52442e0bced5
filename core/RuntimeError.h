// A run-time error (a file that cannot be written, a bad hex digit): it ends the handler that raised it
// and the default error report shows its text.
#pragma once

#include <stdexcept>

#include "core/Text.h"

namespace velloway {

class RuntimeError : public std::runtime_error {
 public:
  explicit RuntimeError(Text message) : std::runtime_error("Velloway run-time error"), message_(std::move(message)) {}
  const Text& Message() const noexcept { return message_; }

 private:
  Text message_;
};

}  // namespace velloway
