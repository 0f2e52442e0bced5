// Vertical scrolling of a container's children.
#include "ui/framework/ScrollBox.h"

#include <algorithm>

namespace velloway {

HWND ScrollBox::Create(HWND parent, RECT bounds) { return Panel::Create(parent, bounds, WS_VSCROLL); }

int ScrollBox::PageHeight() const {
  RECT client{};
  GetClientRect(Handle(), &client);
  return client.bottom;
}

void ScrollBox::UpdateRange() {
  int lowest = 0;
  for (HWND child = GetWindow(Handle(), GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    RECT bounds{};
    GetWindowRect(child, &bounds);
    MapWindowPoints(nullptr, Handle(), reinterpret_cast<POINT*>(&bounds), 2);
    lowest = std::max(lowest, static_cast<int>(bounds.bottom) + position_);
  }
  SetRange(lowest);
}

void ScrollBox::SetRange(int range) {
  range_ = range;
  SCROLLINFO info{};
  info.cbSize = sizeof info;
  info.fMask = SIF_RANGE | SIF_PAGE | SIF_POS;
  info.nMin = 0;
  info.nMax = range_ > 0 ? range_ - 1 : 0;
  info.nPage = static_cast<UINT>(range_ > PageHeight() ? PageHeight() : range_ + 1);
  info.nPos = position_;
  SetScrollInfo(Handle(), SB_VERT, &info, TRUE);
  ShowScrollBar(Handle(), SB_VERT, range_ > PageHeight());
  ScrollTo(position_);  // a shorter range or a taller window may leave the view past the end
}

void ScrollBox::ScrollTo(int position) {
  const int clamped = std::clamp(position, 0, std::max(0, range_ - PageHeight()));
  const int delta = clamped - position_;
  position_ = clamped;
  if (delta != 0) {
    ScrollWindowEx(Handle(), 0, -delta, nullptr, nullptr, nullptr, nullptr,
                   SW_SCROLLCHILDREN | SW_INVALIDATE | SW_ERASE);
  }
  SetScrollPos(Handle(), SB_VERT, position_, TRUE);
}

void ScrollBox::ScrollBy(int delta) { ScrollTo(position_ + delta); }

LRESULT ScrollBox::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_VSCROLL: {
      SCROLLINFO info{};
      info.cbSize = sizeof info;
      info.fMask = SIF_ALL;
      GetScrollInfo(Handle(), SB_VERT, &info);
      const int line = 10;
      switch (LOWORD(wParam)) {
        case SB_LINEUP: ScrollBy(-line); break;
        case SB_LINEDOWN: ScrollBy(line); break;
        case SB_PAGEUP: ScrollBy(-static_cast<int>(info.nPage)); break;
        case SB_PAGEDOWN: ScrollBy(static_cast<int>(info.nPage)); break;
        case SB_THUMBTRACK:
        case SB_THUMBPOSITION: ScrollTo(info.nTrackPos); break;
        case SB_TOP: ScrollTo(0); break;
        case SB_BOTTOM: ScrollTo(range_); break;
        default: break;
      }
      return 0;
    }
    // The children did not move: the range stands, only the page changed (walking thousands of buttons for it
    // would cost a server call each under Wine).
    case WM_SIZE: SetRange(range_); return 0;
    default: return Panel::HandleMessage(message, wParam, lParam);
  }
}

ScrollBox* ScrollBox::UnderPointer(HWND root, std::initializer_list<ScrollBox*> boxes) {
  POINT cursor{};
  GetCursorPos(&cursor);
  HWND under = WindowFromPoint(cursor);  // hidden and disabled windows are not found
  if (under == nullptr || GetAncestor(under, GA_ROOT) != root) return nullptr;
  for (HWND window = under; window != nullptr && window != root; window = GetParent(window)) {
    for (ScrollBox* box : boxes) {
      if (box != nullptr && box->Handle() == window) return box;
    }
  }
  return nullptr;
}

}  // namespace velloway
