// The system's ANSI code page, one of the two places where text meets bytes (the settings file and the
// password bytes). Windows implements it with the real code page; native tests bring their own.
#pragma once

#include <string>
#include <string_view>

#include "core/Text.h"

namespace velloway {

class AnsiCodePage {
 public:
  virtual ~AnsiCodePage() = default;
  // Characters the code page lacks become its default character.
  virtual std::string FromText(TextView text) const = 0;
  virtual Text ToText(std::string_view bytes) const = 0;
  // True when FromText keeps every character, so ToText(FromText(text)) == text.
  virtual bool CanRepresent(TextView text) const = 0;
};

}  // namespace velloway
