// Every caption fits its control: each button, check box, label and list column of the five windows, measured
// with the control's own font as it draws it, at 96 and at 144 DPI.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "StandInWindowTest.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

using testing::ChangeDpi;
using testing::ClassOf;
using testing::StandInNetwork;
using testing::WindowText;

// The text's extent as DrawText lays it out in the control's font: on one line, or wrapped at width.
SIZE Measure(HWND control, const std::wstring& text, UINT format, int width = 0) {
  HDC dc = GetDC(control);
  auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  HGDIOBJ old = SelectObject(dc, font != nullptr ? font : GetStockObject(SYSTEM_FONT));
  RECT box{0, 0, width, 0};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, format | DT_CALCRECT);
  SelectObject(dc, old);
  ReleaseDC(control, dc);
  return SIZE{box.right - box.left, box.bottom - box.top};
}

struct Room {
  int width;
  int height;
};

// What is left for the text inside a control of this kind: a push button's edge and padding, a check box's
// box and the gap after it.
Room TextRoom(HWND control, UINT dpi) {
  const SIZE client = testing::ClientSize(control);
  const LONG style = GetWindowLongW(control, GWL_STYLE);
  if (ClassOf(control) == WC_BUTTONW) {
    switch (style & BS_TYPEMASK) {
      case BS_PUSHBUTTON:
      case BS_DEFPUSHBUTTON: return Room{client.cx - 2 * Scale(4, dpi), client.cy - 2 * Scale(2, dpi)};
      case BS_GROUPBOX: return Room{client.cx - 2 * Scale(8, dpi), client.cy};
      default: return Room{client.cx - Scale(13 + 4, dpi), client.cy};  // check boxes and radio buttons
    }
  }
  return Room{client.cx, client.cy};
}

// "window: text (needs N, has M)" for each caption that does not fit.
void AddMisfits(HWND window, const char* name, UINT dpi, std::vector<std::string>& misfits) {
  struct Walk {
    const char* name;
    UINT dpi;
    std::vector<std::string>* misfits;
  } walk{name, dpi, &misfits};
  EnumChildWindows(
      window,
      [](HWND control, LPARAM data) {
        const Walk& w = *reinterpret_cast<const Walk*>(data);
        const std::wstring className = ClassOf(control);
        const std::wstring text = WindowText(control);
        auto report = [&](const std::wstring& what, int need, int have) {
          const int length = WideCharToMultiByte(CP_UTF8, 0, what.c_str(), -1, nullptr, 0, nullptr, nullptr);
          std::string utf8(static_cast<size_t>(length), '\0');
          WideCharToMultiByte(CP_UTF8, 0, what.c_str(), -1, utf8.data(), length, nullptr, nullptr);
          utf8.pop_back();
          w.misfits->push_back(std::string(w.name) + " at " + std::to_string(w.dpi) + ": " + utf8 + " (needs " +
                               std::to_string(need) + ", has " + std::to_string(have) + ")");
        };
        const LONG style = GetWindowLongW(control, GWL_STYLE);
        if (className == WC_BUTTONW && !text.empty()) {
          const Room room = TextRoom(control, w.dpi);
          if ((style & BS_MULTILINE) != 0) {
            const SIZE size = Measure(control, text, DT_CENTER | DT_WORDBREAK, room.width);
            if (size.cy > room.height) report(text, size.cy, room.height);
          } else {
            const SIZE size = Measure(control, text, DT_SINGLELINE);
            if (size.cx > room.width) report(text, size.cx, room.width);
          }
        } else if (className == WC_STATICW && !text.empty() && (style & SS_TYPEMASK) <= SS_RIGHT) {
          // A label wraps at its width; what it wraps to must fit its height.
          const Room room = TextRoom(control, w.dpi);
          const UINT prefix = (style & SS_NOPREFIX) != 0 ? DT_NOPREFIX : 0;
          const SIZE size = Measure(control, text, DT_WORDBREAK | DT_EXPANDTABS | prefix, room.width);
          if (size.cy > room.height || size.cx > room.width) report(text, size.cy, room.height);
        } else if (className == WC_HEADERW) {
          for (int i = 0; i < Header_GetItemCount(control); ++i) {
            wchar_t caption[128] = {};
            HDITEMW item{};
            item.mask = HDI_TEXT | HDI_WIDTH;
            item.pszText = caption;
            item.cchTextMax = 128;
            Header_GetItem(control, i, &item);
            if (item.cxy <= 1) continue;  // a column kept hidden
            const int need = Measure(control, caption, DT_SINGLELINE).cx + 2 * Scale(6, w.dpi);
            if (need > item.cxy) report(caption, need, item.cxy);
          }
        }
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&walk));
}

class TextFitTest : public testing::StandInWindowTest {};

TEST_F(TextFitTest, EveryCaptionFitsItsControlAt96And144Dpi) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a"), "a,,\\\\srv\\a,,\r\nb,Z,\\\\srv\\b,,\r\n");
  Application& app = running_->app();
  std::vector<std::string> misfits;
  for (const testing::NamedWindow& w : testing::FiveWindows(app)) {
    for (const UINT dpi : {96u, 144u}) {
      if (w.window.Dpi() != dpi) ChangeDpi(w.window, dpi);
      ASSERT_EQ(w.window.Dpi(), dpi);
      AddMisfits(w.window.Handle(), w.name, dpi, misfits);
    }
    ChangeDpi(w.window, 96);
  }
  EXPECT_TRUE(misfits.empty()) << ::testing::PrintToString(misfits);
}

}  // namespace
}  // namespace velloway
