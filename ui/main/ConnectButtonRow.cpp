// Making, placing and marking the connect buttons, and finding a button's setting.
#include "ui/main/ConnectButtonRow.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "core/ConnectButtons.h"
#include "platform/WinText.h"
#include "ui/framework/Dpi.h"
#include "ui/framework/ScrollBox.h"
#include "ui/main/StateMarks.h"

namespace velloway {
namespace {

// Buttons destroyed again when the system refuses one more window: some are given back, so that the message
// box, the connection panels and the dialogs can still be made.
constexpr size_t kWindowsGivenBack = 200;

// The bottom of the lowest of count buttons, the last one.
int RowsBottom(size_t count, UINT dpi) {
  return count == 0 ? 0 : Scale(ConnectButtonTop(count - 1), dpi) + Scale(kConnectButtonHeight, dpi);
}

}  // namespace

size_t ConnectButtonRow::Rebuild(ScrollBox& panel, const ButtonRows& settings, size_t limit, UINT dpi, HFONT font) {
  SendMessageW(panel.Handle(), WM_SETREDRAW, FALSE, 0);
  for (auto button = buttons_.rbegin(); button != buttons_.rend(); ++button) DestroyWindow(*button);
  buttons_.clear();
  panel.UpdateRange();  // empty now: back at the top, so new buttons sit at their own tops

  // The range, and with it the scroll bar, before the buttons: showing the bar changes the panel's frame, which
  // costs Wine far more once the panel holds them.
  const size_t wanted = std::min(settings.Count(), limit);
  panel.SetRange(RowsBottom(wanted, dpi));
  std::vector<HWND> buttons;
  buttons.reserve(wanted);
  for (size_t i = 0; i < wanted; ++i) {
    // "&&" shows an ampersand of the name as itself instead of underlining the next letter.
    std::wstring caption;
    for (wchar_t c : ToWide(settings.Row(i).Name)) caption.append(c == L'&' ? 2 : 1, c);
    HWND button = CreateWindowExW(
        WS_EX_NOPARENTNOTIFY, WC_BUTTONW, caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
        Scale(kConnectButtonLeft, dpi), Scale(ConnectButtonTop(i), dpi) - panel.Position(),
        Scale(kConnectButtonWidth, dpi), Scale(kConnectButtonHeight, dpi), panel.Handle(),
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(std::min<size_t>(kFirstId + i, kLastId))),
        GetModuleHandleW(nullptr), nullptr);
    if (button == nullptr) {
      for (size_t k = 0; k < kWindowsGivenBack && !buttons.empty(); ++k) {
        DestroyWindow(buttons.back());
        buttons.pop_back();
      }
      break;
    }
    buttons.push_back(button);
    // The id tells the setting; only buttons past the last id are tagged (a tag costs Wine a server call).
    if (i >= static_cast<size_t>(kLastId - kFirstId))
      SetWindowLongPtrW(button, GWLP_USERDATA, static_cast<LONG_PTR>(i));
    SendMessageW(button, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  }
  buttons_ = std::move(buttons);
  sharedCount_ = settings.SharedCount();
  marked_.assign(buttons_.size(), std::nullopt);
  SendMessageW(panel.Handle(), WM_SETREDRAW, TRUE, 0);
  if (buttons_.size() != wanted) panel.SetRange(RowsBottom(buttons_.size(), dpi));  // the system refused some
  RedrawWindow(panel.Handle(), nullptr, nullptr, RDW_ERASE | RDW_FRAME | RDW_INVALIDATE | RDW_ALLCHILDREN);
  return buttons_.size();
}

bool ConnectButtonRow::IsButton(int id, HWND control, const ScrollBox& panel) {
  return id >= kFirstId && control != nullptr && GetParent(control) == panel.Handle();
}

LONG_PTR ConnectButtonRow::SettingIndex(HWND button) {
  const int id = GetDlgCtrlID(button);
  if (id < kFirstId) return -1;
  return id < kLastId ? id - kFirstId : GetWindowLongPtrW(button, GWLP_USERDATA);
}

void ConnectButtonRow::ShowStatuses(std::vector<ButtonStatus> statuses, UINT dpi) {
  statuses_ = std::move(statuses);
  std::array<UniqueImageList, 4> old;
  std::array<UniqueImageList, 4> oldShared;
  if (dpi != marksDpi_) {
    // The old marks stay until every button has the new ones.
    old = std::exchange(marks_, CreateStateMarks(dpi));
    oldShared = std::exchange(sharedMarks_, {});
    marksDpi_ = dpi;
    marked_.assign(buttons_.size(), std::nullopt);
    if (!buttons_.empty())
      RedrawWindow(GetParent(buttons_.front()), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  // The administrator's badge is drawn once there are buttons to wear it.
  if (sharedCount_ > 0 && sharedMarks_[0].get() == nullptr) sharedMarks_ = CreateStateMarks(dpi, true);
  for (size_t i = 0; i < buttons_.size(); ++i) {
    const ButtonState state = StatusOf(i).state;
    if (marked_[i] == state) continue;
    BUTTON_IMAGELIST mark{i < sharedCount_ ? SharedMarkOf(state) : MarkOf(state), RECT{Scale(6, dpi), 0, 0, 0},
                          BUTTON_IMAGELIST_ALIGN_LEFT};
    SendMessageW(buttons_[i], BCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(&mark));
    // Not every button repaints for a new image list by itself. One without a mark yet is still to be painted
    // whole (a rebuild or a new DPI invalidated them all): asking again would cost Wine a server call a button.
    if (marked_[i].has_value()) InvalidateRect(buttons_[i], nullptr, FALSE);
    marked_[i] = state;
  }
}

ButtonStatus ConnectButtonRow::StatusOf(size_t index) const {
  return index < statuses_.size() ? statuses_[index] : ButtonStatus{};
}

}  // namespace velloway
