// The tooltip tool that follows the pointer from button to button.
#include "ui/main/PointerTooltip.h"

#include "platform/WinText.h"

namespace velloway {

void PointerTooltip::Create(HWND owner) {
  owner_ = owner;
  tooltip_ = CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP | TTS_NOPREFIX, 0, 0, 0,
                             0, owner, nullptr, GetModuleHandleW(nullptr), nullptr);
}

void PointerTooltip::Follow(HWND button) {
  if (button == button_) return;
  Remove();
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(button);
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  if (SendMessageW(tooltip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool))) button_ = button;
}

void PointerTooltip::Remove() {
  if (button_ == nullptr) return;
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof tool;
  tool.hwnd = owner_;
  tool.uId = reinterpret_cast<UINT_PTR>(button_);
  SendMessageW(tooltip_, TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  button_ = nullptr;
}

bool PointerTooltip::Answer(NMHDR& header) {
  if (header.hwndFrom != tooltip_ || header.code != TTN_GETDISPINFOW) return false;
  auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
  HWND button = (info.uFlags & TTF_IDISHWND) != 0 ? reinterpret_cast<HWND>(header.idFrom) : nullptr;
  text_ = button != nullptr ? ToWide(textOf_(button)) : std::wstring();
  info.lpszText = text_.data();
  info.hinst = nullptr;
  return true;
}

}  // namespace velloway
