// The connect buttons: one push button per setting, stacked in the scrolling panel of the main window's upper
// half, each tagged with its setting's index.
#pragma once

#include <windows.h>

#include <array>
#include <cstddef>
#include <optional>
#include <vector>

#include "core/ButtonRows.h"
#include "core/ButtonStates.h"
#include "ui/framework/ImageLists.h"

namespace velloway {

class ScrollBox;

class ConnectButtonRow {
 public:
  // The buttons' control ids count up from here (the last ones share 0xFFFF); a click is found by its id.
  static constexpr int kFirstId = 10000;
  static constexpr int kLastId = 0xFFFF;

  ConnectButtonRow() = default;
  ConnectButtonRow(const ConnectButtonRow&) = delete;
  ConnectButtonRow& operator=(const ConnectButtonRow&) = delete;

  // Destroys the old buttons and makes one for each setting, up to limit, with one repaint for the whole.
  // Fewer are made when the system has no more windows for the process. Returns how many were made.
  size_t Rebuild(ScrollBox& panel, const ButtonRows& settings, size_t limit, UINT dpi, HFONT font);
  const std::vector<HWND>& Buttons() const noexcept { return buttons_; }
  // Whether this control is one of the buttons (by its id and its parent).
  static bool IsButton(int id, HWND control, const ScrollBox& panel);
  // The index of the setting a button stands for, from its id (past the last id, from the tag it was given);
  // -1 for a control whose id is below the buttons'.
  static LONG_PTR SettingIndex(HWND button);

  // Shows each setting's status (by setting index) as its button's mark; only changed marks are sent, all of
  // them when the DPI changed.
  void ShowStatuses(std::vector<ButtonStatus> statuses, UINT dpi);
  // As last shown; not connected for a setting without one.
  ButtonStatus StatusOf(size_t index) const;
  // The image list of a state's mark, as the buttons are given it.
  HIMAGELIST MarkOf(ButtonState state) const noexcept { return marks_[static_cast<size_t>(state)].get(); }
  // The same for a button the administrator handed out: the state's mark with the administrator's badge.
  HIMAGELIST SharedMarkOf(ButtonState state) const noexcept { return sharedMarks_[static_cast<size_t>(state)].get(); }

 private:
  std::vector<HWND> buttons_;  // made by the last rebuild, in the settings list's order
  std::vector<ButtonStatus> statuses_;
  std::vector<std::optional<ButtonState>> marked_;  // the mark each button has now
  std::array<UniqueImageList, 4> marks_;
  std::array<UniqueImageList, 4> sharedMarks_;
  size_t sharedCount_ = 0;  // the first buttons are the administrator's
  UINT marksDpi_ = 0;
};

}  // namespace velloway
