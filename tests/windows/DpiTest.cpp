// Every top-level window follows a change of DPI (a monitor of another scale): 96 → 144 → 96, each control
// at its table's place and size for the DPI, with a font of the right height that is a live object.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "StandInWindowTest.h"
#include "core/ConnectButtons.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

using testing::ChangeDpi;
using testing::RectInParent;
using testing::StandInNetwork;

// The font a control draws with: its height in pixels, or -1 when the handle is no live font.
int FontHeight(HWND control) {
  const auto font = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (font == nullptr || GetObjectType(font) != OBJ_FONT) return -1;
  LOGFONTW description{};
  GetObjectW(font, sizeof description, &description);
  return -description.lfHeight;
}

class DpiTest : public testing::StandInWindowTest {
 protected:
  void ExpectFollows(TopLevelWindow& window, UINT dpi, const char* name) {
    SCOPED_TRACE(std::string(name) + " at " + std::to_string(dpi));
    EXPECT_EQ(window.Dpi(), dpi);
    EXPECT_EQ(DpiOf(window.Handle()), dpi);
    ASSERT_FALSE(window.Controls().empty());
    for (const TopLevelWindow::PlacedControl& control : window.Controls()) {
      const ControlLayout& layout = control.layout;
      const RECT place = RectInParent(control.handle);
      if (layout.placement == Placement::Window) {
        // Laid out by the window from its new size: each of these (a list, tree, log, caption or status
        // bar) spans its parent's width, within its parent, and is not squeezed to nothing.
        const SIZE parent = testing::ClientSize(GetParent(control.handle));
        EXPECT_EQ(place.left, 0) << layout.id;
        EXPECT_EQ(place.right, parent.cx) << layout.id;
        EXPECT_GE(place.top, 0) << layout.id;
        EXPECT_LE(place.bottom, parent.cy) << layout.id;
        EXPECT_GT(place.bottom - place.top, 0) << layout.id;
      } else {
        EXPECT_EQ(place.left, Scale(layout.left, dpi)) << layout.id;
        EXPECT_EQ(place.top, Scale(layout.top, dpi)) << layout.id;
        EXPECT_EQ(place.right - place.left, Scale(layout.width, dpi)) << layout.id;
        // A drop-down list's table height is that of its open list.
        if (std::wstring(layout.className) != WC_COMBOBOXW) {
          EXPECT_EQ(place.bottom - place.top, Scale(layout.height, dpi)) << layout.id;
        }
      }
      EXPECT_EQ(FontHeight(control.handle), Scale(layout.fontPixels != 0 ? layout.fontPixels : kFontPixels, dpi))
          << layout.id;
    }
    // Every window inside, table-made or not, draws with a live font.
    EnumChildWindows(
        window.Handle(),
        [](HWND child, LPARAM) {
          if (SendMessageW(child, WM_GETFONT, 0, 0) != 0) {
            EXPECT_GT(FontHeight(child), 0) << testing::ClassOf(child);
          }
          return TRUE;
        },
        0);
  }
};

TEST_F(DpiTest, EveryWindowFollowsTheMonitorsScale) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a"), "a,,\\\\srv\\a,,\r\nb,Z,\\\\srv\\b,,\r\n");
  Application& app = running_->app();
  for (const testing::NamedWindow& w : testing::FiveWindows(app)) {
    for (const UINT dpi : {144u, 96u}) {
      ChangeDpi(w.window, dpi);
      ExpectFollows(w.window, dpi, w.name);
    }
  }

  // What the main window lays out itself: the connect buttons, and the connection panels with the fonts
  // they draw their captions with.
  ChangeDpi(app.F_Main, 144);
  const std::vector<HWND> buttons = main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(RectInParent(buttons[1]).top, Scale(ConnectButtonTop(1), 144));
  EXPECT_EQ(RectInParent(buttons[1]).right - RectInParent(buttons[1]).left, Scale(kConnectButtonWidth, 144));
  EXPECT_EQ(FontHeight(buttons[1]), Scale(kFontPixels, 144));
  ASSERT_EQ(main().ConnectionPanels().size(), 1u);
  ConnectionPanel& panel = *main().ConnectionPanels()[0];
  EXPECT_EQ(panel.Height(), Scale(80, 144));
  EXPECT_EQ(FontHeight(panel.Handle()), Scale(kFontPixels, 144));
  EXPECT_EQ(FontHeight(panel.Strip().Button(1)), Scale(kFontPixels, 144));
  // Painting after the change uses no deleted font.
  RedrawWindow(main().Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  ChangeDpi(app.F_Main, 96);
  EXPECT_EQ(FontHeight(panel.Handle()), kFontPixels);
}

}  // namespace
}  // namespace velloway
