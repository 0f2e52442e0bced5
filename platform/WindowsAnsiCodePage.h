// The system's ANSI code page through WideCharToMultiByte and MultiByteToWideChar.
#pragma once

#include "core/AnsiCodePage.h"

namespace velloway {

class WindowsAnsiCodePage final : public AnsiCodePage {
 public:
  std::string FromText(TextView text) const override;
  Text ToText(std::string_view bytes) const override;
  bool CanRepresent(TextView text) const override;
};

}  // namespace velloway
