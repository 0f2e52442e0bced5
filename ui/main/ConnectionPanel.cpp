// Drawing, collapsing and arranging a connection panel and its button strip.
#include "ui/main/ConnectionPanel.h"

#include <windowsx.h>

#include "platform/WinText.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

constexpr int kPanelHeight = 80;
constexpr int kCaptionHeight = 20;
constexpr int kLeftMargin = 30;

}  // namespace

HWND ButtonStrip::Create(HWND parent, int tag, const wchar_t* openCaption, int firstId) {
  tag_ = tag;
  firstId_ = firstId;
  Panel::Create(parent, RECT{});
  const wchar_t* captions[2] = {openCaption, L"接続を閉じる"};
  for (int i = 0; i < 2; ++i) {
    buttons_[i] = CreateWindowExW(0, L"BUTTON", captions[i], WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 0, 0,
                                  0, 0, Handle(), reinterpret_cast<HMENU>(static_cast<INT_PTR>(firstId + i)),
                                  GetModuleHandleW(nullptr), nullptr);
  }
  return Handle();
}

void ButtonStrip::Arrange() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int half = client.bottom / 2;
  SetWindowPos(buttons_[0], nullptr, 0, 0, client.right, half, SWP_NOZORDER | SWP_NOACTIVATE);
  SetWindowPos(buttons_[1], nullptr, 0, half, client.right, client.bottom - half, SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ButtonStrip::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_COMMAND && HIWORD(wParam) == BN_CLICKED) {
    // The window's one route for a click: by the button's id, as Enter on it arrives there too.
    const int index = LOWORD(wParam) - firstId_;
    if (index == 0 || index == 1) SendMessageW(GetAncestor(Handle(), GA_ROOT), WM_COMMAND, wParam, lParam);
    return 0;
  }
  if (message == WM_SIZE) {
    Arrange();
    return 0;
  }
  return Panel::HandleMessage(message, wParam, lParam);
}

HWND ConnectionPanel::Create(HWND group, const Text& caption, int tag, const wchar_t* openCaption, int firstButtonId,
                             std::function<void()> onResized, HFONT font) {
  onResized_ = std::move(onResized);
  Panel::Create(group, RECT{});
  SetWindowTextW(Handle(), ToWide(caption).c_str());
  strip_.Create(Handle(), tag, openCaption, firstButtonId);
  ApplyFont(Handle(), font);
  return Handle();
}

int ConnectionPanel::CaptionHeight() const { return Scale(kCaptionHeight, DpiOf(Handle())); }

int ConnectionPanel::Height() const { return collapsed_ ? CaptionHeight() : Scale(kPanelHeight, DpiOf(Handle())); }

void ConnectionPanel::Toggle() {
  collapsed_ = !collapsed_;
  ShowWindow(strip_.Handle(), collapsed_ ? SW_HIDE : SW_SHOW);
  onResized_();
}

void ConnectionPanel::Arrange() {
  RECT client{};
  GetClientRect(Handle(), &client);
  const int left = Scale(kLeftMargin, DpiOf(Handle()));
  SetWindowPos(strip_.Handle(), nullptr, left, CaptionHeight(), client.right - left, client.bottom - CaptionHeight(),
               SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT ConnectionPanel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE: Arrange(); return 0;
    // The caption is drawn with the font the window last gave: it changes with the DPI.
    case WM_SETFONT:
      font_ = reinterpret_cast<HFONT>(wParam);
      if (LOWORD(lParam) != 0) InvalidateRect(Handle(), nullptr, TRUE);
      return 0;
    case WM_GETFONT: return reinterpret_cast<LRESULT>(font_);
    case WM_LBUTTONDOWN:
      if (GET_Y_LPARAM(lParam) < CaptionHeight()) Toggle();
      return 0;
    case WM_PAINT: {
      PAINTSTRUCT paint{};
      HDC dc = BeginPaint(Handle(), &paint);
      RECT caption{};
      GetClientRect(Handle(), &caption);
      caption.bottom = CaptionHeight();
      FillRect(dc, &caption, GetSysColorBrush(COLOR_INACTIVECAPTION));
      const HGDIOBJ old = SelectObject(dc, font_);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, GetSysColor(COLOR_INACTIVECAPTIONTEXT));
      wchar_t text[512] = {};
      GetWindowTextW(Handle(), text, 512);
      caption.left += Scale(6, DpiOf(Handle()));
      DrawTextW(dc, collapsed_ ? L"▶" : L"▼", -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
      caption.left += Scale(16, DpiOf(Handle()));
      DrawTextW(dc, text, -1, &caption, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
      SelectObject(dc, old);
      EndPaint(Handle(), &paint);
      return 0;
    }
    default: return Panel::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velloway
