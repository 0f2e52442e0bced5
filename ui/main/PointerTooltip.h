// One tooltip tool for many buttons, moved to the button the pointer enters; its text is asked for when shown.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>

#include "core/Text.h"

namespace velloway {

// Adding and removing tooltip tools costs time in proportion to the tools already there, so instead of a tool
// per button there is one, moved to the button the pointer enters (the owner reports that from WM_SETCURSOR).
class PointerTooltip {
 public:
  // textOf gives a button's tooltip text when the tooltip is about to show it.
  explicit PointerTooltip(std::function<Text(HWND button)> textOf) : textOf_(std::move(textOf)) {}
  PointerTooltip(const PointerTooltip&) = delete;
  PointerTooltip& operator=(const PointerTooltip&) = delete;

  // Makes the tooltip window, owned by owner (which gets its notifications).
  void Create(HWND owner);
  HWND Handle() const noexcept { return tooltip_; }
  // The button that now has the tool, or none.
  HWND Button() const noexcept { return button_; }
  // Gives the tool to this button, unless it has it already.
  void Follow(HWND button);
  // Takes the tool back, as before its button goes.
  void Remove();
  // Answers the tooltip's request for its text (TTN_GETDISPINFOW); false for any other notification.
  bool Answer(NMHDR& header);

 private:
  std::function<Text(HWND)> textOf_;
  HWND owner_ = nullptr;
  HWND tooltip_ = nullptr;  // destroyed with its owner
  HWND button_ = nullptr;
  std::wstring text_;  // the text last given to the tooltip, alive while it shows it
};

}  // namespace velloway
