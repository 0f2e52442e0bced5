// A simple message to the user (a message box titled with the application title on Windows).
#pragma once

#include "Text.h"

namespace velloway {

class MessageReporter {
 public:
  virtual ~MessageReporter() = default;
  virtual void ShowMessage(const Text& text) = 0;
};

}  // namespace velloway
