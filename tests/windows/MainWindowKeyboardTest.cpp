// Every button of the main window answers the keyboard: Enter and Space on the focused button do what its
// click does, on the stand-in network.
#include <windows.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "StandInWindowTest.h"

namespace velloway {
namespace {

using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

enum class Key { Enter, Space };

class MainWindowKeyboardTest : public testing::StandInWindowTest {
 protected:
  void StartWithOneButtonAndOneConnection() {
    Start(StandInNetwork().AddShare(u"\\\\srv\\x").AddConnection(u"Z:", u"\\\\srv\\a"), "x,,\\\\srv\\x,,\r\n");
  }
  // Moves the focus to target the way a user does, with Tab through the dialog manager.
  bool TabTo(HWND target) {
    SetFocus(main().Handle());
    running_->PumpFor(20);
    for (int step = 0; step < 40 && GetFocus() != target; ++step) {
      PostMessageW(GetFocus(), WM_KEYDOWN, VK_TAB, 0x000F0001);
      PostMessageW(GetFocus(), WM_KEYUP, VK_TAB, 0xC00F0001);
      running_->PumpFor(20);
    }
    return GetFocus() == target;
  }
  // Presses the key on the focused control and runs messages until done() or a second has passed.
  void Press(Key key, const std::function<bool()>& done) {
    HWND focus = GetFocus();
    const WPARAM code = key == Key::Enter ? VK_RETURN : VK_SPACE;
    const LPARAM scan = key == Key::Enter ? 0x001C0001 : 0x00390001;
    PostMessageW(focus, WM_KEYDOWN, code, scan);
    if (key == Key::Space) PostMessageW(focus, WM_CHAR, L' ', scan);
    PostMessageW(focus, WM_KEYUP, code, scan | 0xC0000000);
    running_->PumpUntil(done, 1500);
  }
};

struct KeyCase {
  const char* button;
  Key key;
};

void PrintTo(const KeyCase& c, std::ostream* out) { *out << c.button << (c.key == Key::Enter ? " Enter" : " Space"); }

class MainWindowKeys : public MainWindowKeyboardTest, public ::testing::WithParamInterface<KeyCase> {};

TEST_P(MainWindowKeys, DoWhatTheClickDoes) {
  const KeyCase& c = GetParam();
  StartWithOneButtonAndOneConnection();
  ASSERT_EQ(main().ConnectionPanels().size(), 1u);
  ButtonStrip& strip = main().ConnectionPanels()[0]->Strip();
  const std::string button = c.button;
  const HWND target = button == "B_AddButton"          ? main().B_AddButton()
                      : button == "B_ConnectionSearch" ? main().B_ConnectionSearch()
                      : button == "B_NetResSearch"     ? main().B_NetResSearch()
                      : button == "connect"            ? main().ConnectButtons().at(0)
                      : button == "open"               ? strip.Button(0)
                                                       : strip.Button(1);
  ASSERT_TRUE(TabTo(target)) << "the button cannot be reached with Tab";

  Application& app = running_->app();
  std::vector<std::wstring> opened;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == main().Handle()) return;  // active again once a window it opened has closed
    opened.push_back(seen.caption);
    // Each window that opens is left again at once.
    if (window == app.F_SettingButton.Handle()) {
      PostClick(app.F_SettingButton.B_Close());
    } else if (window == app.F_NetResEnum.Handle() || window == app.F_ConnectionDialog.Handle()) {
      PostMessageW(window, WM_CLOSE, 0, 0);
    }
  });
  const HWND groupBefore = main().PanelGroup()->Handle();

  if (button == "B_AddButton") {
    Press(c.key, [&] { return !opened.empty(); });
    EXPECT_EQ(opened, std::vector<std::wstring>{L"ボタン設定"});
  } else if (button == "B_NetResSearch") {
    Press(c.key, [&] { return !opened.empty(); });
    EXPECT_EQ(opened, std::vector<std::wstring>{L"リソース検索"});
  } else if (button == "connect") {
    Press(c.key, [&] { return !opened.empty(); });
    EXPECT_EQ(opened, std::vector<std::wstring>{L"接続認証確認"});
  } else if (button == "B_ConnectionSearch") {
    Press(c.key, [&] { return main().PanelGroup()->Handle() != groupBefore; });
    EXPECT_NE(main().PanelGroup()->Handle(), groupBefore) << "the list was not refreshed";
    EXPECT_EQ(GetFocus(), target) << "the keyboard lost its place while the list was read";
    EXPECT_TRUE(opened.empty());
  } else if (button == "open") {
    Press(c.key, [&] { return !shell_.targets.empty(); });
    EXPECT_EQ(shell_.targets, std::vector<Text>{u"Z:"});
    EXPECT_TRUE(opened.empty());
  } else {
    Press(c.key, [&] { return main().StatusText() == u"切断完了"; });
    ASSERT_TRUE(StandInNetwork::LastCancel().has_value());
    EXPECT_EQ(StandInNetwork::LastCancel()->Name, u"Z:");
    EXPECT_EQ(main().StatusText(), u"切断完了");
    EXPECT_TRUE(opened.empty()) << "closing a connection opened a window";
  }
}

INSTANTIATE_TEST_SUITE_P(Buttons, MainWindowKeys,
                         ::testing::Values(KeyCase{"B_AddButton", Key::Enter}, KeyCase{"B_AddButton", Key::Space},
                                           KeyCase{"B_ConnectionSearch", Key::Enter},
                                           KeyCase{"B_ConnectionSearch", Key::Space},
                                           KeyCase{"B_NetResSearch", Key::Enter}, KeyCase{"B_NetResSearch", Key::Space},
                                           KeyCase{"connect", Key::Enter}, KeyCase{"connect", Key::Space},
                                           KeyCase{"open", Key::Enter}, KeyCase{"open", Key::Space},
                                           KeyCase{"close", Key::Enter}, KeyCase{"close", Key::Space}));

// No two controls of the main window share an id: the dialog manager finds a control by it.
TEST_F(MainWindowKeyboardTest, EveryButtonHasAnIdOfItsOwn) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").AddConnection(u"", u"\\\\srv\\b"),
        "x,,\\\\srv\\x,,\r\ny,,\\\\srv\\y,,\r\n");
  std::vector<int> ids;
  EnumChildWindows(
      main().Handle(),
      [](HWND child, LPARAM list) {
        if (testing::ClassOf(child) == L"Button")
          reinterpret_cast<std::vector<int>*>(list)->push_back(GetDlgCtrlID(child));
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&ids));
  EXPECT_EQ(ids.size(), 3u + 2u + 4u);  // the header buttons, the connect buttons, two strips of two
  std::sort(ids.begin(), ids.end());
  EXPECT_EQ(std::adjacent_find(ids.begin(), ids.end()), ids.end()) << "two buttons share an id";
}

}  // namespace
}  // namespace velloway
