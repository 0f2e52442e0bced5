// Messages from core shown as message boxes over the active window.
#pragma once

#include "ErrorReport.h"
#include "MessageReporter.h"

namespace velloway {

class MessageBoxReporter final : public MessageReporter {
 public:
  void ShowMessage(const Text& text) override { velloway::ShowMessage(GetActiveWindow(), text); }
};

}  // namespace velloway
