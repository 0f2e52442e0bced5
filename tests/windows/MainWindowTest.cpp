// The main window and start-up, through the real windows under Wine.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include "StandInWindowTest.h"
#include "UiHarness.h"
#include "ui/main/ConnectButtonRow.h"

namespace velloway {
namespace {

using testing::ClassOf;
using testing::HintAfterPointerEnters;
using testing::RectInParent;
using testing::RunningApplication;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

std::string SettingLines(int count) {
  std::string bytes;
  for (int i = 0; i < count; ++i) bytes += "b" + std::to_string(i) + ",,\\\\srv\\s" + std::to_string(i) + ",,\r\n";
  return bytes;
}

class MainWindowTest : public testing::StandInWindowTest {
 protected:
  void Start(const std::string* settings) {
    StandInWindowTest::Start(StandInNetwork(),
                             settings != nullptr ? std::optional<std::string>(*settings) : std::nullopt);
  }
  HWND ButtonAt(size_t index) { return main().ConnectButtons().at(index); }

  // Puts the pointer over the middle of window (or a point in it) and turns the wheel one notch.
  void WheelOver(HWND window, int delta, POINT offset = {-1, -1}) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    POINT point = offset.x < 0 ? POINT{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2}
                               : POINT{bounds.left + offset.x, bounds.top + offset.y};
    ASSERT_TRUE(running_->MovePointerTo(point));
    SendMessageW(window, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(point.x, point.y));
  }
};

TEST_F(MainWindowTest, StartsWithAllFiveWindowsAndLoadsOnTheOneShotTimer) {
  const std::string settings = SettingLines(2);
  Launch(StandInNetwork(), settings);
  // Before the first tick: the timer is armed, the path is still the folder, no button exists.
  EXPECT_TRUE(main().StartupTimerArmed());
  EXPECT_TRUE(main().Path().ends_with(u"\\vlw"));
  EXPECT_TRUE(main().ConnectButtons().empty());

  struct Expected {
    HWND window;
    const wchar_t* className;
    const wchar_t* caption;
    int width, height;
    bool systemMenu, minimizeBox;
  };
  Application& app = running_->app();
  for (const Expected& e : {
           Expected{main().Handle(), L"TF_Main", L"Ｒｕｖ’ｓＶｅｌｌｏｗａｙ", 682, 500, true, true},
           // The browser is 30 taller than its first layout: the server row sits below its buttons.
           Expected{app.F_NetResEnum.Handle(), L"TF_NetResEnum", L"リソース検索", 426, 323, true, false},
           // The editor is 32 taller: a row for the desktop shortcut and the copy above the sign-in box.
           Expected{app.F_SettingButton.Handle(), L"TF_SettingButton", L"ボタン設定", 670, 360, false, false},
           Expected{app.F_SettingButtonForm.Handle(), L"TF_SettingButtonForm", L"設定", 573, 358, true, false},
           Expected{app.F_ConnectionDialog.Handle(), L"TF_ConnectionDialog", L"接続認証確認", 452, 213, true, false},
       }) {
    SCOPED_TRACE(e.className);
    EXPECT_EQ(ClassOf(e.window), e.className);
    EXPECT_EQ(WindowText(e.window), e.caption);
    const SIZE client = testing::ClientSize(e.window);
    EXPECT_EQ(client.cx, e.width);
    EXPECT_EQ(client.cy, e.height);
    const LONG_PTR style = GetWindowLongPtrW(e.window, GWL_STYLE);
    EXPECT_EQ((style & WS_SYSMENU) != 0, e.systemMenu);
    EXPECT_EQ((style & WS_MINIMIZEBOX) != 0, e.minimizeBox);
    EXPECT_EQ(style & WS_MAXIMIZEBOX, 0);
    RECT bounds{};
    GetWindowRect(e.window, &bounds);
    EXPECT_EQ(bounds.left, 0);
    EXPECT_EQ(bounds.top, 0);
  }
  EXPECT_NE(GetWindowLongPtrW(main().Handle(), GWL_STYLE) & WS_THICKFRAME, 0);  // resizable

  ASSERT_TRUE(running_->PumpUntil([&] { return !main().StartupTimerArmed(); }));
  EXPECT_TRUE(main().Path().ends_with(u"\\vlw\\vlw.ini"));
  ASSERT_EQ(main().ConnectButtons().size(), 2u);

  // The timer never fires again: a changed file is not reloaded.
  testing::WriteSettingsFile(SettingLines(5));
  running_->PumpFor(100);
  EXPECT_EQ(main().ConnectButtons().size(), 2u);
}

// Start-up makes the main window alone: the four dialogs are made together, owned by it, when one is first
// needed (here the confirmation of a connect click).
TEST_F(MainWindowTest, TheDialogsAreMadeWhenOneIsFirstNeeded) {
  Launch(StandInNetwork().AddShare(u"\\\\srv\\x"), "x,Z,\\\\srv\\x,,\r\n", kConnectButtonLimit, false);
  ASSERT_TRUE(running_->WaitForNetwork());
  Application& app = running_->app();
  const TopLevelWindow* dialogs[] = {&app.F_NetResEnum, &app.F_SettingButton, &app.F_SettingButtonForm,
                                     &app.F_ConnectionDialog};
  for (const TopLevelWindow* dialog : dialogs) EXPECT_EQ(dialog->Handle(), nullptr);

  bool asked = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != app.F_ConnectionDialog.Handle()) return;
    asked = true;
    PostMessageW(window, WM_CLOSE, 0, 0);
  });
  SendMessageW(ButtonAt(0), BM_CLICK, 0, 0);
  EXPECT_TRUE(asked);
  for (const TopLevelWindow* dialog : dialogs) {
    ASSERT_NE(dialog->Handle(), nullptr);
    EXPECT_EQ(GetWindow(dialog->Handle(), GW_OWNER), main().Handle());
  }
  EXPECT_FALSE(StandInNetwork::LastAttempt().has_value());
}

TEST_F(MainWindowTest, LayoutTextsAndFont) {
  Start(nullptr);
  struct Expected {
    HWND control;
    const wchar_t* text;
    RECT bounds;  // in the parent's client area
  };
  for (const Expected& e : {
           Expected{main().B_AddButton(), L"接続ボタン編集(&E)", {9, 9, 123, 34}},
           Expected{main().B_ConnectionSearch(), L"接続済み一覧を更新する(&R)", {249, 8, 442, 33}},
           Expected{main().B_NetResSearch(), L"ネットワークリソース探索(&S)", {448, 8, 625, 33}},
       }) {
    SCOPED_TRACE(e.text);
    EXPECT_EQ(WindowText(e.control), e.text);
    const RECT bounds = RectInParent(e.control);
    EXPECT_EQ(bounds.left, e.bounds.left);
    EXPECT_EQ(bounds.top, e.bounds.top);
    EXPECT_EQ(bounds.right, e.bounds.right);
    EXPECT_EQ(bounds.bottom, e.bounds.bottom);
  }
  EXPECT_EQ(GetWindow(main().P_Connected(), GW_CHILD), main().Panel1());
  EXPECT_EQ(RectInParent(main().P_Connected()).bottom - RectInParent(main().P_Connected()).top, 233);
  EXPECT_EQ(RectInParent(main().Splitter1()).bottom - RectInParent(main().Splitter1()).top, 8);
  EXPECT_EQ(RectInParent(main().Splitter1()).bottom, RectInParent(main().P_Connected()).top);
  EXPECT_EQ(RectInParent(main().P_Connected()).bottom, RectInParent(main().StatusBar1()).top);
  EXPECT_EQ(RectInParent(main().StatusBar1()).bottom, 500);

  LOGFONTW font{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(main().B_NetResSearch(), WM_GETFONT, 0, 0)), sizeof font, &font);
  EXPECT_STREQ(font.lfFaceName, L"ＭＳ Ｐゴシック");
  EXPECT_EQ(font.lfHeight, -13);

  main().SetStatus(u"接続認証中");
  EXPECT_EQ(main().StatusText(), u"接続認証中");
  main().SetStatus(u"");
  EXPECT_EQ(main().StatusText(), u"");
}

TEST_F(MainWindowTest, SplitterResizesBothHalvesWhileDragged) {
  Start(nullptr);
  HWND splitter = main().Splitter1();
  const int before = RectInParent(main().P_Connected()).top;
  SendMessageW(splitter, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 3));
  SendMessageW(splitter, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(10, static_cast<WORD>(static_cast<short>(3 - 50))));
  EXPECT_EQ(RectInParent(main().P_Connected()).top, before - 50);
  EXPECT_EQ(RectInParent(main().P_Connected()).bottom - RectInParent(main().P_Connected()).top, 283);
  SendMessageW(splitter, WM_LBUTTONUP, 0, MAKELPARAM(10, static_cast<WORD>(static_cast<short>(3 - 50))));
  const RECT buttonPanel = RectInParent(main().P_ButtonPanel().Handle());
  EXPECT_EQ(buttonPanel.bottom, RectInParent(splitter).top - 0);
}

TEST_F(MainWindowTest, EmptyListGivesNoButtonsAndNoScrollBar) {
  Start(nullptr);
  EXPECT_TRUE(main().ConnectButtons().empty());
  EXPECT_EQ(GetWindowLongPtrW(main().P_ButtonPanel().Handle(), GWL_STYLE) & WS_VSCROLL, 0);
}

TEST_F(MainWindowTest, TwelveButtonsScrollByFivePerWheelNotch) {
  const std::string settings = SettingLines(12);
  Start(&settings);
  const std::vector<HWND> buttons = main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 12u);
  for (size_t i = 0; i < buttons.size(); ++i) {
    const RECT bounds = RectInParent(buttons[i]);
    EXPECT_EQ(bounds.left, 30);
    EXPECT_EQ(bounds.top, 10 + 40 * static_cast<int>(i));
    EXPECT_EQ(bounds.right - bounds.left, 400);
    EXPECT_EQ(bounds.bottom - bounds.top, 30);
    EXPECT_EQ(ConnectButtonRow::SettingIndex(buttons[i]), static_cast<LONG_PTR>(i));
    EXPECT_EQ(WindowText(buttons[i]), L"b" + std::to_wstring(i));
  }
  EXPECT_EQ(RectInParent(buttons[11]).top, 450);
  HWND panel = main().P_ButtonPanel().Handle();
  EXPECT_NE(GetWindowLongPtrW(panel, GWL_STYLE) & WS_VSCROLL, 0);

  ScrollBox& box = main().P_ButtonPanel();
  WheelOver(buttons[0], WHEEL_DELTA);  // turned away from the user at the top: clamped
  EXPECT_EQ(box.Position(), 0);
  WheelOver(buttons[1], -WHEEL_DELTA);  // over a button
  EXPECT_EQ(box.Position(), 5);
  WheelOver(panel, -WHEEL_DELTA, POINT{450, 20});  // over the empty panel area beside the buttons
  EXPECT_EQ(box.Position(), 10);
  WheelOver(buttons[2], WHEEL_DELTA);
  EXPECT_EQ(box.Position(), 5);
  EXPECT_EQ(RectInParent(buttons[11]).top, 445);
  for (int i = 0; i < 200; ++i) WheelOver(panel, -WHEEL_DELTA, POINT{450, 20});
  EXPECT_EQ(box.Position(), box.Range() - testing::ClientSize(panel).cy);  // clamped at the end
  WheelOver(main().B_AddButton(), -WHEEL_DELTA);                           // the header is not a scrolling container
  EXPECT_EQ(box.Position(), box.Range() - testing::ClientSize(panel).cy);
}

TEST_F(MainWindowTest, RebuildingKeepsOneButtonPerSettingWithItsHint) {
  const std::string settings = "zed,Z,\\\\srv\\share,,\r\nR[&amp;]D,,\\\\srv\\share,,\r\n";
  Start(&settings);
  main().CreateButtons();
  main().CreateButtons();
  const std::vector<HWND> buttons = main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(WindowText(buttons[1]), L"R&&D");  // the ampersand of the name shows as itself
  const wchar_t* hints[] = {L"Zドライブ【\\\\srv\\share】（未接続）", L"\\\\srv\\share（未接続）"};
  // Twice over, in both directions: the one tool follows the pointer from button to button.
  for (size_t i : {0u, 1u, 0u, 1u, 1u}) {
    EXPECT_EQ(HintAfterPointerEnters(main(), buttons[i]), hints[i]);
    EXPECT_EQ(SendMessageW(main().Tooltips(), TTM_GETTOOLCOUNT, 0, 0), 1);
  }

  // A rebuild for a longer list and then a shorter one: one button per setting, tags in list order,
  // and no tool left on a button that is gone.
  Application& app = running_->app();
  for (size_t count : {5u, 1u}) {
    app.Settings.Clear();
    for (size_t i = 0; i < count; ++i) {
      app.Settings.Append(ButtonSetting{u"n" + Text(1, static_cast<char16_t>(u'0' + i)), u"", u"\\\\f", u"", u""});
    }
    main().CreateButtons();
    const std::vector<HWND> rebuilt = main().ConnectButtons();
    ASSERT_EQ(rebuilt.size(), count);
    EXPECT_EQ(SendMessageW(main().Tooltips(), TTM_GETTOOLCOUNT, 0, 0), 0);
    for (size_t i = 0; i < count; ++i) {
      EXPECT_EQ(ConnectButtonRow::SettingIndex(rebuilt[i]), static_cast<LONG_PTR>(i));
      EXPECT_EQ(WindowText(rebuilt[i]), L"n" + std::to_wstring(i));
    }
    EXPECT_EQ(HintAfterPointerEnters(main(), rebuilt.back()), L"\\\\f（未接続）");
  }
}

// The real pointer over a button: the tooltip appears on its own with that button's hint.
TEST_F(MainWindowTest, TooltipShowsTheHintOfTheButtonUnderThePointer) {
  const std::string settings = "a,,\\\\srv\\a,,\r\nb,Q,\\\\srv\\b,,\r\nc,,\\\\srv\\c,,\r\n";
  Start(&settings);
  HWND tooltips = main().Tooltips();
  for (size_t i : {1u, 2u, 0u}) {
    SCOPED_TRACE(i);
    const std::wstring wanted[] = {L"\\\\srv\\a（未接続）", L"Qドライブ【\\\\srv\\b】（未接続）",
                                   L"\\\\srv\\c（未接続）"};
    RECT bounds{};
    GetWindowRect(main().ConnectButtons().at(i), &bounds);
    // From outside the buttons, so that the pointer enters this one (an earlier test may have left it there).
    ASSERT_TRUE(running_->MovePointerTo({bounds.right + 40, bounds.top}));
    ASSERT_TRUE(running_->MovePointerTo({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2}));
    EXPECT_TRUE(running_->PumpUntil([&] { return IsWindowVisible(tooltips) && WindowText(tooltips) == wanted[i]; }))
        << "tooltip visible " << IsWindowVisible(tooltips);
  }
}

// With more settings than the limit, the first ones get their buttons, the user is told, and the list
// and the file keep every setting.
TEST_F(MainWindowTest, SettingsBeyondTheButtonLimitAreKeptAndTheUserIsTold) {
  const std::string settings = SettingLines(5);
  WindowWatcher watcher;
  Launch(StandInNetwork(), settings, 3);
  ASSERT_TRUE(running_->PumpUntil([&] { return !watcher.MessageBoxes().empty(); }));
  EXPECT_FALSE(main().StartupTimerArmed());
  const std::vector<WindowWatcher::Seen> boxes = watcher.MessageBoxes();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, L"Ｒｕｖ’ｓＶｅｌｌｏｗａｙ");
  EXPECT_EQ(boxes[0].text,
            L"接続ボタンが多すぎるため、全5件の設定のうち最初の3件のボタンだけを表示しています。\r\n"
            L"設定と設定ファイルは変更されていません。");

  const std::vector<HWND> buttons = main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 3u);
  for (size_t i = 0; i < buttons.size(); ++i) {
    EXPECT_EQ(WindowText(buttons[i]), L"b" + std::to_wstring(i));
    EXPECT_EQ(ConnectButtonRow::SettingIndex(buttons[i]), static_cast<LONG_PTR>(i));
    EXPECT_EQ(HintAfterPointerEnters(main(), buttons[i]), L"\\\\srv\\s" + std::to_wstring(i) + L"（未接続）");
  }
  EXPECT_EQ(running_->app().Settings.Count(), 5u);
  EXPECT_EQ(running_->app().Settings.Name(4), u"b4");
  EXPECT_EQ(testing::ReadSettingsFile(), settings);

  // The last button still connects its own setting: the click reaches the dialog with its folder.
  Application& app = running_->app();
  std::wstring folder;
  WindowWatcher dialogWatcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != app.F_ConnectionDialog.Handle()) return;
    folder = WindowText(app.F_ConnectionDialog.E_Folder());
    PostMessageW(window, WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
  });
  SendMessageW(buttons[2], BM_CLICK, 0, 0);
  EXPECT_EQ(folder, L"\\\\srv\\s2");
}

TEST_F(MainWindowTest, UnreadableSettingsFileIsReportedAndMakesNoButtons) {
  testing::RemoveSettingsFile();
  const std::wstring path = testing::SettingsFilePath();
  CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  CreateDirectoryW(path.c_str(), nullptr);  // a folder where the file should be cannot be read as one
  WindowWatcher watcher;
  running_ = std::make_unique<RunningApplication>(&shell_);
  ASSERT_TRUE(running_->PumpUntil([&] { return !watcher.MessageBoxes().empty(); }));
  running_->PumpFor(50);
  RemoveDirectoryW(path.c_str());
  const WindowWatcher::Seen box = watcher.MessageBoxes().front();
  EXPECT_EQ(box.caption, L"Ｒｕｖ’ｓＶｅｌｌｏｗａｙ");
  EXPECT_NE(box.text.find(path), std::wstring::npos);
  EXPECT_TRUE(main().ConnectButtons().empty());
  EXPECT_TRUE(IsWindow(main().Handle()));  // the program carries on
}

// The header buttons open their windows modally, by click and by their Alt+letter accelerators.
TEST_F(MainWindowTest, HeaderButtonsOpenTheirWindows) {
  const std::string settings = SettingLines(1);
  Start(&settings);
  Application& app = running_->app();
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == app.F_SettingButton.Handle()) PostMessageW(app.F_SettingButton.B_Close(), BM_CLICK, 0, 0);
    if (window == app.F_NetResEnum.Handle()) PostMessageW(app.F_NetResEnum.B_Close(), BM_CLICK, 0, 0);
  });
  auto opened = [&](const wchar_t* caption) {
    int count = 0;
    for (const auto& seen : watcher.SeenWindows()) count += seen.caption == caption;
    return count;
  };

  SendMessageW(main().B_AddButton(), BM_CLICK, 0, 0);
  EXPECT_EQ(opened(L"ボタン設定"), 1);
  EXPECT_FALSE(IsWindowVisible(app.F_SettingButton.Handle()));
  EXPECT_TRUE(IsWindowEnabled(main().Handle()));

  SendMessageW(main().B_NetResSearch(), BM_CLICK, 0, 0);
  EXPECT_EQ(opened(L"リソース検索"), 1);

  // Alt+S and Alt+E as the keyboard delivers them to a control of the window.
  PostMessageW(main().B_AddButton(), WM_SYSCHAR, L's', 1 << 29);
  running_->PumpUntil([&] { return opened(L"リソース検索") == 2; });
  EXPECT_EQ(opened(L"リソース検索"), 2);
  PostMessageW(main().B_ConnectionSearch(), WM_SYSCHAR, L'e', 1 << 29);
  running_->PumpUntil([&] { return opened(L"ボタン設定") == 2; });
  EXPECT_EQ(opened(L"ボタン設定"), 2);
}

}  // namespace
}  // namespace velloway
