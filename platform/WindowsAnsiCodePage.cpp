// Conversions with CP_ACP; "representable" means the text comes back unchanged.
#include "platform/WindowsAnsiCodePage.h"

#include <windows.h>

#include <climits>

#include "core/RuntimeError.h"

namespace velloway {
namespace {

int CheckedLength(size_t size) {
  if (size > static_cast<size_t>(INT_MAX)) throw RuntimeError(u"テキストが長すぎます");
  return static_cast<int>(size);
}

const wchar_t* Wide(TextView text) { return reinterpret_cast<const wchar_t*>(text.data()); }

std::string Convert(TextView text, BOOL* usedDefault) {
  if (text.empty()) return {};
  const int length = CheckedLength(text.size());
  // WC_NO_BEST_FIT_CHARS: a look-alike would be a silent change of the text.
  const int size = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Wide(text), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, Wide(text), length, bytes.data(), size, nullptr, usedDefault);
  return bytes;
}

}  // namespace

std::string WindowsAnsiCodePage::FromText(TextView text) const { return Convert(text, nullptr); }

Text WindowsAnsiCodePage::ToText(std::string_view bytes) const {
  if (bytes.empty()) return {};
  const int length = CheckedLength(bytes.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
  Text text(static_cast<size_t>(size), u'\0');
  MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, reinterpret_cast<wchar_t*>(text.data()), size);
  return text;
}

bool WindowsAnsiCodePage::CanRepresent(TextView text) const {
  BOOL usedDefault = FALSE;
  const std::string bytes = Convert(text, &usedDefault);
  return !usedDefault && ToText(bytes) == text;
}

}  // namespace velloway
