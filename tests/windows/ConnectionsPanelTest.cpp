// The current connections panel of the main window, over the stand-in network.
#include <windows.h>
#include <commctrl.h>
#include <dbt.h>
#include <gtest/gtest.h>

#include <string>

#include "StandInWindowTest.h"

namespace velloway {
namespace {

using testing::Click;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

class ConnectionsPanelTest : public testing::StandInWindowTest {
 protected:
  std::vector<ConnectionPanel*> Panels() { return main().ConnectionPanels(); }
  int ChildCount(HWND parent) {
    int count = 0;
    for (HWND child = GetWindow(parent, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) ++count;
    return count;
  }
  // Clicks button 0 (open) or 1 (close) of a panel's strip and waits for its handler.
  void ClickStrip(size_t panel, int button, const std::function<bool()>& done) {
    HWND control = Panels().at(panel)->Strip().Button(button);
    Click(control);
    running_->PumpUntil(done, 3000);
  }
};

// A settings file that cannot be read is reported, and the connections are listed all the same.
TEST_F(ConnectionsPanelTest, AFailedLoadStillListsTheConnections) {
  StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").Save();
  testing::RemoveSettingsFile();
  const std::wstring path = testing::SettingsFilePath();
  CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  CreateDirectoryW(path.c_str(), nullptr);  // a folder where the file should be cannot be read as one
  WindowWatcher watcher;
  running_ = std::make_unique<testing::RunningApplication>(&shell_);
  ASSERT_TRUE(running_->PumpUntil([&] { return !watcher.MessageBoxes().empty(); }));
  ASSERT_TRUE(running_->WaitForNetwork());
  RemoveDirectoryW(path.c_str());
  EXPECT_NE(watcher.MessageBoxes().front().text.find(path), std::wstring::npos);
  ASSERT_EQ(Panels().size(), 1u);
  EXPECT_EQ(WindowText(Panels()[0]->Handle()), L"【Z:】\\\\srv\\a");
}

TEST_F(ConnectionsPanelTest, ListsTheWindowsNetworkConnectionsAtStartUp) {
  Start(StandInNetwork()
            .AddConnection(u"Z:", u"\\\\srv\\a")
            .AddConnection(u"", u"\\\\srv\\nodrive")
            .AddForeignConnection(u"W:", u"\\\\web\\dav"));
  const std::vector<ConnectionPanel*> panels = Panels();
  ASSERT_EQ(panels.size(), 2u);
  EXPECT_EQ(WindowText(panels[0]->Handle()), L"【Z:】\\\\srv\\a");
  EXPECT_EQ(WindowText(panels[0]->Strip().Button(0)), L"ネットワークドライブを開く");
  EXPECT_EQ(WindowText(panels[0]->Strip().Button(1)), L"接続を閉じる");
  EXPECT_EQ(WindowText(panels[1]->Handle()), L"\\\\srv\\nodrive");
  EXPECT_EQ(WindowText(panels[1]->Strip().Button(0)), L"フォルダを開く");
  EXPECT_EQ(panels[1]->Strip().Tag(), 1);
  EXPECT_EQ(testing::RectInParent(panels[1]->Handle()).top, 80);
  EXPECT_EQ(testing::RectInParent(panels[0]->Strip().Handle()).left, 30);

  HWND connected = main().P_Connected();
  EXPECT_EQ(GetWindow(connected, GW_CHILD), main().Panel1());
  EXPECT_EQ(GetWindow(main().Panel1(), GW_HWNDNEXT), main().PanelGroup()->Handle());

  // Clicking a caption collapses the panel and the next one moves up.
  SendMessageW(panels[0]->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
  EXPECT_TRUE(panels[0]->Collapsed());
  EXPECT_LT(testing::RectInParent(panels[1]->Handle()).top, 80);
}

TEST_F(ConnectionsPanelTest, NoConnectionsGiveAnEmptyGroupAndRefreshKeepsOneGroup) {
  Start(StandInNetwork());
  EXPECT_TRUE(Panels().empty());
  EXPECT_EQ(ChildCount(main().P_Connected()), 2);

  StandInNetwork().AddConnection(u"Y:", u"\\\\srv\\y").Save();
  SendMessageW(main().B_ConnectionSearch(), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  SendMessageW(main().B_ConnectionSearch(), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(ChildCount(main().P_Connected()), 2);
  EXPECT_EQ(ChildCount(main().PanelGroup()->Handle()), 1);
  EXPECT_EQ(Panels().size(), 1u);
}

TEST_F(ConnectionsPanelTest, OpenAsksTheShellForTheDriveOrTheFolder) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").AddConnection(u"", u"\\\\srv\\nodrive"));
  ClickStrip(0, 0, [&] { return shell_.targets.size() == 1; });
  ClickStrip(1, 0, [&] { return shell_.targets.size() == 2; });
  EXPECT_EQ(shell_.targets, (std::vector<Text>{u"Z:", u"\\\\srv\\nodrive"}));
  EXPECT_EQ(shell_.owners.at(0), main().Handle());
  EXPECT_EQ(main().StatusText(), u"");
}

TEST_F(ConnectionsPanelTest, CloseWithoutDriveUsesTheRemoteNameAndRebuilds) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").AddConnection(u"", u"\\\\srv\\nodrive"));
  ClickStrip(1, 1, [&] { return Panels().size() == 1; });
  ASSERT_TRUE(StandInNetwork::LastCancel().has_value());
  EXPECT_EQ(StandInNetwork::LastCancel()->Name, u"\\\\srv\\nodrive");
  EXPECT_EQ(main().StatusText(), u"切断完了");
  ASSERT_EQ(Panels().size(), 1u);
  EXPECT_EQ(WindowText(Panels()[0]->Handle()), L"【Z:】\\\\srv\\a");
}

TEST_F(ConnectionsPanelTest, OpenFilesAskBeforeAForcedClose) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").SetOpenFiles(u"Z:"));
  int answer = IDNO;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (seen.className == L"#32770") WindowWatcher::Answer(window, answer);
  });
  ClickStrip(0, 1, [&] { return watcher.MessageBoxes().size() == 1; });
  running_->PumpFor(100);
  ASSERT_EQ(watcher.MessageBoxes().size(), 1u);
  EXPECT_EQ(watcher.MessageBoxes()[0].caption, L"確認");
  EXPECT_EQ(watcher.MessageBoxes()[0].text,
            L"[Z:]内のフォルダ又はファイルが開いており切断できません\r\n強制切断しますか？");
  EXPECT_EQ(StandInNetwork::CurrentConnections().size(), 1u);
  EXPECT_EQ(Panels().size(), 1u);
  EXPECT_EQ(main().StatusText(), u"");

  answer = IDYES;
  ClickStrip(0, 1, [&] { return Panels().empty(); });
  EXPECT_TRUE(StandInNetwork::CurrentConnections().empty());
  EXPECT_TRUE(StandInNetwork::LastCancel()->Force);
  EXPECT_EQ(main().StatusText(), u"切断完了");
}

// A refresh started while the open-files question is open (a drive made elsewhere) does not swallow the user's yes:
// the status line says why nothing was closed, and the connection is still listed.
TEST_F(ConnectionsPanelTest, AYesWhileARefreshRunsIsNotLostSilently) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a").SetOpenFiles(u"Z:"));
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (seen.className != L"#32770") return;
    SendMessageW(main().Handle(), WM_DEVICECHANGE, 0x8000 /* DBT_DEVICEARRIVAL */, 0);
    WindowWatcher::Answer(window, IDYES);
  });
  ClickStrip(0, 1, [&] { return !main().StatusText().empty(); });
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(main().StatusText(), u"ネットワークの操作中のため、接続を閉じられませんでした。もう一度押してください");
  EXPECT_EQ(StandInNetwork::CurrentConnections().size(), 1u);
  EXPECT_EQ(Panels().size(), 1u);
}

TEST_F(ConnectionsPanelTest, AFailedCloseIsReportedOnTheStatusLine) {
  Start(StandInNetwork().AddConnection(u"Z:", u"\\\\srv\\a"));
  StandInNetwork::Clear();  // the connection vanished behind the program's back
  StandInNetwork().Save();
  ClickStrip(0, 1, [&] { return !main().StatusText().empty(); });
  EXPECT_EQ(main().StatusText(), u"指定したデバイスにシステムが接続していません");
  EXPECT_EQ(Panels().size(), 1u);
}

TEST_F(ConnectionsPanelTest, ListsMoreConnectionsThanOneBatchHolds) {
  StandInNetwork network;
  for (int i = 0; i < 200; ++i) {
    const std::string n = std::to_string(i);
    network.AddConnection(u"", u"\\\\srv\\share" + Text(n.begin(), n.end()));
  }
  Start(network);
  ASSERT_EQ(Panels().size(), 200u);
  EXPECT_EQ(WindowText(Panels().back()->Handle()), L"\\\\srv\\share199");
  // The wheel over a strip's button scrolls the group.
  RECT bounds{};
  GetWindowRect(Panels()[0]->Strip().Button(0), &bounds);
  ASSERT_TRUE(running_->MovePointerTo(POINT{bounds.left + 5, bounds.top + 5}));
  SendMessageW(main().Handle(), WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), 0);
  EXPECT_EQ(main().PanelGroup()->Position(), 5);
}

// Each connect button shows whether its share is connected, as its mark and at the end of its tooltip: after
// the start, a connect, a close, and a drive that another program made (Windows' broadcast).
TEST_F(ConnectionsPanelTest, EachButtonShowsItsStateAndFollowsConnectsClosesAndOutsideChanges) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\a").AddShare(u"\\\\srv\\b").AddConnection(u"Z:", u"\\\\srv\\a"),
        "a,Z,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\n");
  auto mark = [&](size_t i) {
    BUTTON_IMAGELIST list{};
    SendMessageW(main().ConnectButtons().at(i), BCM_GETIMAGELIST, 0, reinterpret_cast<LPARAM>(&list));
    return list.himl;
  };
  auto expectStates = [&](ButtonStatus a, ButtonStatus b) {
    EXPECT_EQ(main().ConnectButtonStatus(0), a);
    EXPECT_EQ(main().ConnectButtonStatus(1), b);
    EXPECT_EQ(mark(0), main().StateMark(a.state));
    EXPECT_EQ(mark(1), main().StateMark(b.state));
  };
  ASSERT_NE(main().StateMark(ButtonState::Connected), main().StateMark(ButtonState::NotConnected));
  EXPECT_EQ(WindowText(main().ConnectButtons().at(0)), L"a");  // the caption stays the name
  expectStates({ButtonState::Connected, u"Z:"}, {});

  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) testing::PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  expectStates({ButtonState::Connected, u"Z:"}, {ButtonState::Connected, u""});

  ClickStrip(0, 1, [&] { return main().ConnectButtonStatus(0).state == ButtonState::NotConnected; });
  ASSERT_TRUE(running_->WaitForNetwork());
  expectStates({}, {ButtonState::Connected, u""});

  // Another program maps \\srv\a as Y:; Windows tells every window.
  StandInNetwork()
      .AddShare(u"\\\\srv\\a")
      .AddShare(u"\\\\srv\\b")
      .AddConnection(u"", u"\\\\srv\\b")
      .AddConnection(u"Y:", u"\\\\srv\\a")
      .Save();
  SendMessageW(main().Handle(), WM_DEVICECHANGE, DBT_DEVICEARRIVAL, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  expectStates({ButtonState::Connected, u"Y:"}, {ButtonState::Connected, u""});
}

}  // namespace
}  // namespace velloway
