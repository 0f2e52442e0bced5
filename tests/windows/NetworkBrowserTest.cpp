// The network browser window over the stand-in network's browse tree, with known and typed servers and
// buttons made from shares.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "AnswerProbe.h"
#include "StandInNetwork.h"
#include "StandInWindowTest.h"
#include "UiHarness.h"
#include "core/U_crypto.h"
#include "ui/dialogs/U_SettingButtonForm.h"

namespace velloway {
namespace {

using testing::RunningApplication;
using testing::StandInNetwork;
using testing::WindowText;

// The tree as lines of "depth|text|picture", in display order.
std::vector<std::wstring> TreeLines(HWND tree) {
  std::vector<std::wstring> lines;
  auto walk = [&](auto&& self, HTREEITEM item, int depth) -> void {
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
      wchar_t text[256] = {};
      TVITEMW data{};
      data.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
      data.hItem = item;
      data.pszText = text;
      data.cchTextMax = 256;
      TreeView_GetItem(tree, &data);
      EXPECT_EQ(data.iImage, data.iSelectedImage);
      lines.push_back(std::to_wstring(depth) + L"|" + text + L"|" + std::to_wstring(data.iImage));
      self(self, TreeView_GetChild(tree, item), depth + 1);
    }
  };
  walk(walk, TreeView_GetRoot(tree), 0);
  return lines;
}

class NetworkBrowserTest : public testing::StandInWindowTest {
 protected:
  // The browse tree comes from the stand-in; the search waits for the first tick's load of no settings.
  void SetUp() override { Launch(StandInNetwork().AddUsualNeighbourhood()); }
  void Search() {
    ASSERT_TRUE(running_->WaitForNetwork());
    SendMessageW(browser().B_GetNetRes(), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
};

TEST_F(NetworkBrowserTest, UsualNetworkBecomesATreeWithPicturesAndALog) {
  EXPECT_EQ(WindowText(browser().B_GetNetRes()), L"リソース一覧の取得");
  EXPECT_EQ(WindowText(GetWindow(browser().Panel2(), GW_CHILD)), L"  Status");
  Search();
  EXPECT_EQ(
      TreeLines(browser().TV_NetRec()),
      (std::vector<std::wstring>{L"0|WORKGROUP|3", L"1|\\\\SRV|0", L"2|\\\\SRV\\経理|1", L"2|\\\\SRV\\printer|2"}));
  // mpr's own entry of the other provider is neither logged nor shown.
  EXPECT_EQ(WindowText(browser().Memo1()),
            L",Microsoft Windows Network,,Microsoft Windows Network\r\n"
            L",WORKGROUP,,Microsoft Windows Network\r\n"
            L",\\\\SRV,ファイルサーバー,Microsoft Windows Network\r\n"
            L",\\\\SRV\\経理,,Microsoft Windows Network\r\n"
            L",\\\\SRV\\printer,2階,Microsoft Windows Network\r\n"
            L"探索終了\r\n");
  EXPECT_EQ(TreeView_GetIndent(browser().TV_NetRec()), 19u);
}

TEST_F(NetworkBrowserTest, ASecondSearchEmptiesTheTreeButKeepsTheLog) {
  Search();
  const std::wstring first = WindowText(browser().Memo1());
  Search();
  EXPECT_EQ(TreeLines(browser().TV_NetRec()).size(), 4u);
  EXPECT_EQ(WindowText(browser().Memo1()), first + first);
}

// More shares on one server than one 16 KB batch holds: every one of them is in the tree.
TEST_F(NetworkBrowserTest, ALevelLargerThanOneBatchIsComplete) {
  StandInNetwork network;
  network.AddBrowseEntry(u"", u"WORKGROUP", RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER)
      .AddBrowseEntry(u"WORKGROUP", u"\\\\SRV", RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER);
  for (int i = 0; i < 700; ++i) {
    const std::string n = std::to_string(i);
    network.AddBrowseEntry(u"\\\\SRV", u"\\\\SRV\\share" + Text(n.begin(), n.end()), RESOURCETYPE_DISK,
                           RESOURCEDISPLAYTYPE_SHARE, RESOURCEUSAGE_CONNECTABLE);
  }
  network.Save();
  Search();
  const std::vector<std::wstring> lines = TreeLines(browser().TV_NetRec());
  ASSERT_EQ(lines.size(), 702u);
  EXPECT_EQ(lines.back(), L"2|\\\\SRV\\share699|1");
}

// A server slow to list its shares: the levels above it show while it is asked, the window answers
// throughout, a second search meanwhile starts nothing, and the tree ends as without the wait. A stop
// ends the walk at its next read and says so.
TEST_F(NetworkBrowserTest, ASlowServerShowsTheTreeLevelByLevelAndCanBeStopped) {
  const std::vector<std::wstring> whole{L"0|WORKGROUP|3", L"1|\\\\SRV|0", L"2|\\\\SRV\\経理|1",
                                        L"2|\\\\SRV\\printer|2"};
  const std::vector<std::wstring> aboveTheServer(whole.begin(), whole.begin() + 2);
  for (bool stop : {false, true}) {
    SCOPED_TRACE(stop ? "stopped" : "to the end");
    StandInNetwork().AddUsualNeighbourhood().SetDelay(u"\\\\SRV", 3000).Save();
    ASSERT_TRUE(running_->WaitForNetwork());
    SendMessageW(browser().B_GetNetRes(), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->PumpUntil([&] { return TreeLines(browser().TV_NetRec()) == aboveTheServer; }, 2500));
    ASSERT_TRUE(running_->app().Worker.Busy());
    EXPECT_FALSE(IsWindowEnabled(browser().B_GetNetRes()));
    EXPECT_TRUE(IsWindowEnabled(browser().B_Stop()));
    SendMessageW(browser().B_GetNetRes(), BM_CLICK, 0, 0);  // starts nothing: the tree is not emptied
    if (stop) SendMessageW(browser().B_Stop(), BM_CLICK, 0, 0);
    testing::AnswerProbe probe(browser().Handle(), 200);
    ASSERT_TRUE(running_->WaitForNetwork());
    probe.Stop();
    EXPECT_EQ(probe.Missed(), 0);
    EXPECT_GE(probe.Answers(), 5);
    const std::wstring log = WindowText(browser().Memo1());
    if (stop) {
      EXPECT_EQ(TreeLines(browser().TV_NetRec()), aboveTheServer);
      EXPECT_TRUE(log.ends_with(L",\\\\SRV,ファイルサーバー,Microsoft Windows Network\r\n探索を中止しました\r\n"))
          << log;
    } else {
      EXPECT_EQ(TreeLines(browser().TV_NetRec()), whole);
      EXPECT_TRUE(log.ends_with(L"2階,Microsoft Windows Network\r\n探索終了\r\n")) << log;
    }
    EXPECT_TRUE(IsWindowEnabled(browser().B_GetNetRes()));
    EXPECT_FALSE(IsWindowEnabled(browser().B_Stop()));
  }
}

// A server that lists itself among its shares (as a broken or hostile one may): the walk ends, the server
// shows once more as a leaf, and the log says where the walk did not descend.
TEST_F(NetworkBrowserTest, AContainerListingItselfEndsTheWalk) {
  StandInNetwork()
      .AddUsualNeighbourhood()
      .AddBrowseEntry(u"\\\\SRV", u"\\\\SRV", RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER)
      .Save();
  Search();
  EXPECT_EQ(TreeLines(browser().TV_NetRec()),
            (std::vector<std::wstring>{L"0|WORKGROUP|3", L"1|\\\\SRV|0", L"2|\\\\SRV\\経理|1", L"2|\\\\SRV\\printer|2",
                                       L"2|\\\\SRV|0"}));
  const std::wstring log = WindowText(browser().Memo1());
  EXPECT_NE(log.find(L"【\\\\SRV】は探索済みか階層が深すぎるため、その下は探索しません\r\n"), std::wstring::npos)
      << log;
  EXPECT_TRUE(log.ends_with(L"探索終了\r\n"));
}

}  // namespace
}  // namespace velloway

namespace velloway {
namespace {

using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

std::string FileBytes(const std::wstring& path) {
  HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return "(no file)";
  char bytes[4096] = {};
  DWORD read = 0;
  ReadFile(file, bytes, sizeof bytes, &read, nullptr);
  CloseHandle(file);
  return std::string(bytes, read);
}

// The tree item at this path of texts from the top (each step a child of the one before).
HTREEITEM FindItem(HWND tree, const std::vector<std::wstring>& path) {
  HTREEITEM item = TreeView_GetRoot(tree);
  HTREEITEM found = nullptr;
  for (const std::wstring& wanted : path) {
    found = nullptr;
    for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
      wchar_t text[256] = {};
      TVITEMW data{};
      data.mask = TVIF_TEXT;
      data.hItem = item;
      data.pszText = text;
      data.cchTextMax = 256;
      TreeView_GetItem(tree, &data);
      if (wanted == text) {
        found = item;
        break;
      }
    }
    if (found == nullptr) return nullptr;
    item = TreeView_GetChild(tree, found);
  }
  return found;
}

// The browser with settings and connections: known servers, typed servers and buttons made from shares.
class ServerBrowserTest : public testing::StandInWindowTest {
 protected:
  void Search() {
    SendMessageW(browser().B_GetNetRes(), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  void LookUp(const wchar_t* typed) {
    SetWindowTextW(browser().E_Server(), typed);
    SendMessageW(browser().B_Server(), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  std::vector<std::wstring> Tree() { return TreeLines(browser().TV_NetRec()); }
  std::wstring Log() { return WindowText(browser().Memo1()); }
};

// Discovery off: the servers of the buttons' folders, then of the connections, once each whatever their
// case, each with its shares; the hidden workgroup is not shown.
TEST_F(ServerBrowserTest, KnownServersAreListedWhenDiscoveryFindsNothing) {
  Start(StandInNetwork()
            .AddUsualNeighbourhood()
            .TurnDiscoveryOff()
            .AddServerShares(u"\\\\SRV1", {u"\\\\SRV1\\経理"}, {u"\\\\SRV1\\lp"})
            .AddServerShares(u"\\\\10.0.0.5", {u"\\\\10.0.0.5\\共有"})
            .AddServerShares(u"\\\\SRV3", {u"\\\\SRV3\\docs"})
            .AddConnection(u"", u"\\\\srv1\\x")
            .AddConnection(u"", u"\\\\SRV3\\docs"),
        "a,,\\\\SRV1\\a,,\r\nb,,\\\\10.0.0.5\\b,,\r\nc,,\\\\srv1\\c,,\r\nd,,D:\\local,,\r\n");
  Search();
  EXPECT_EQ(Tree(),
            (std::vector<std::wstring>{L"0|\\\\SRV1|0", L"1|\\\\SRV1\\経理|1", L"1|\\\\SRV1\\lp|2", L"0|\\\\10.0.0.5|0",
                                       L"1|\\\\10.0.0.5\\共有|1", L"0|\\\\SRV3|0", L"1|\\\\SRV3\\docs|1"}));
  EXPECT_EQ(
      Log(),
      L",Microsoft Windows Network,,Microsoft Windows Network\r\n"
      L"探索終了\r\n"
      L"ネットワーク探索で何も見つからなかったため、既知のサーバーを調べます: \\\\SRV1, \\\\10.0.0.5, \\\\SRV3\r\n"
      L",\\\\SRV1\\経理,,Microsoft Windows Network\r\n"
      L",\\\\SRV1\\lp,,Microsoft Windows Network\r\n"
      L",\\\\10.0.0.5\\共有,,Microsoft Windows Network\r\n"
      L",\\\\SRV3\\docs,,Microsoft Windows Network\r\n");
}

// One server refuses, one is not on the network: each says why in the log, the others are listed.
TEST_F(ServerBrowserTest, AFailingServerIsLoggedAndTheOthersGoOn) {
  Start(StandInNetwork()
            .TurnDiscoveryOff()
            .AddServerShares(u"\\\\A", {u"\\\\A\\s"})
            .AddFailingServer(u"\\\\LOCKED", 5)
            .AddServerShares(u"\\\\C", {u"\\\\C\\t"}),
        "1,,\\\\A\\s,,\r\n2,,\\\\LOCKED\\s,,\r\n3,,\\\\GONE\\s,,\r\n4,,\\\\C\\t,,\r\n");
  Search();
  EXPECT_EQ(Tree(), (std::vector<std::wstring>{L"0|\\\\A|0", L"1|\\\\A\\s|1", L"0|\\\\C|0", L"1|\\\\C\\t|1"}));
  const std::wstring log = Log();
  EXPECT_NE(log.find(L"既知のサーバーを調べます: \\\\A, \\\\LOCKED, \\\\GONE, \\\\C\r\n"
                     L",\\\\A\\s,,Microsoft Windows Network\r\n"
                     L"【\\\\LOCKED】ID又はパスワードが間違っています（エラー 5）\r\n"
                     L"【\\\\GONE】サーバーが見つかりません（エラー 53）\r\n"
                     L",\\\\C\\t,,Microsoft Windows Network\r\n"),
            std::wstring::npos)
      << log;
}

// With discovery working the walk alone fills the tree: the buttons' servers are not asked.
TEST_F(ServerBrowserTest, TheWholeNetworkWalkIsUnchangedWhenDiscoveryWorks) {
  Start(StandInNetwork().AddUsualNeighbourhood().AddServerShares(u"\\\\OTHER", {u"\\\\OTHER\\x"}),
        "a,,\\\\OTHER\\x,,\r\n");
  Search();
  EXPECT_EQ(Tree(), (std::vector<std::wstring>{L"0|WORKGROUP|3", L"1|\\\\SRV|0", L"2|\\\\SRV\\経理|1",
                                               L"2|\\\\SRV\\printer|2"}));
  EXPECT_TRUE(Log().ends_with(L",\\\\SRV\\printer,2階,Microsoft Windows Network\r\n探索終了\r\n")) << Log();

  // Nothing to ask when discovery finds nothing and no server is known.
  StandInNetwork().TurnDiscoveryOff().Save();
  testing::WriteSettingsFile("");
  running_->app().Settings.Clear();
  Search();
  EXPECT_TRUE(Tree().empty());
  EXPECT_TRUE(Log().ends_with(
      L"探索終了\r\nネットワーク探索で何も見つかりませんでした。サーバー名を入力すると、その共有を調べられます\r\n"))
      << Log();
}

// A typed server, by name, by "\\name" or by address, becomes a top-level node; looking again replaces it
// in its place; an unknown server and an empty field are only logged.
TEST_F(ServerBrowserTest, ATypedServerIsListedAndALaterLookReplacesIt) {
  StandInNetwork network;
  network.AddUsualNeighbourhood()
      .AddServerShares(u"\\\\SRV2", {u"\\\\SRV2\\a"})
      .AddServerShares(u"\\\\10.0.0.5", {u"\\\\10.0.0.5\\共有"});
  Start(network);
  Search();
  LookUp(L"srv2");
  LookUp(L"10.0.0.5");
  network.AddServerShares(u"\\\\SRV2", {u"\\\\SRV2\\b"}).Save();
  LookUp(L"  \\\\SRV2  ");
  LookUp(L"\\\\nosuch");
  LookUp(L"");
  EXPECT_EQ(Tree(), (std::vector<std::wstring>{L"0|WORKGROUP|3", L"1|\\\\SRV|0", L"2|\\\\SRV\\経理|1",
                                               L"2|\\\\SRV\\printer|2", L"0|\\\\SRV2|0", L"1|\\\\SRV2\\a|1",
                                               L"1|\\\\SRV2\\b|1", L"0|\\\\10.0.0.5|0", L"1|\\\\10.0.0.5\\共有|1"}));
  EXPECT_TRUE(
      Log().ends_with(L"探索終了\r\n"
                      L",\\\\SRV2\\a,,Microsoft Windows Network\r\n"
                      L",\\\\10.0.0.5\\共有,,Microsoft Windows Network\r\n"
                      L",\\\\SRV2\\a,,Microsoft Windows Network\r\n"
                      L",\\\\SRV2\\b,,Microsoft Windows Network\r\n"
                      L"【\\\\nosuch】サーバーが見つかりません（エラー 53）\r\n"
                      L"サーバー名か IP アドレスを入力してください（例: \\\\server、server、192.168.1.10）\r\n"))
      << Log();
}

// The browser keeps its controls where they were and adds the server row below them.
TEST_F(ServerBrowserTest, LayoutKeepsTheButtonsAndAddsTheServerRow) {
  Start(StandInNetwork());
  const SIZE client = testing::ClientSize(browser().Handle());
  EXPECT_EQ(client.cx, 426);
  EXPECT_EQ(client.cy, 323);
  struct Place {
    HWND control;
    RECT rect;
  };
  for (const Place& place :
       {Place{browser().B_GetNetRes(), {8, 5, 153, 30}}, Place{browser().B_Close(), {255, 5, 336, 30}},
        Place{browser().B_AddShare(), {159, 5, 249, 30}}, Place{browser().E_Server(), {62, 36, 249, 59}},
        Place{browser().B_Server(), {255, 35, 336, 60}}}) {
    const RECT rect = testing::RectInParent(place.control);
    EXPECT_TRUE(EqualRect(&rect, &place.rect)) << WindowText(place.control) << " " << rect.left << "," << rect.top;
  }
  EXPECT_EQ(WindowText(browser().B_AddShare()), L"ボタンに追加");
  EXPECT_EQ(testing::RectInParent(browser().TV_NetRec()).bottom - testing::RectInParent(browser().TV_NetRec()).top,
            159);
}

// A disk share becomes a button through the editor's own dialog: OK saves the file with one more line
// and rebuilds the buttons; Cancel (here from a double click) changes nothing.
TEST_F(ServerBrowserTest, AButtonFromAShare) {
  const std::string before = "a,,\\\\SRV1\\a,,\r\n";
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\SRV1", {u"\\\\SRV1\\経理", u"\\\\SRV1\\a"},
                                                            {u"\\\\SRV1\\lp"}),
        before);
  Search();
  HWND tree = browser().TV_NetRec();
  EXPECT_FALSE(IsWindowEnabled(browser().B_AddShare()));
  TreeView_SelectItem(tree, FindItem(tree, {L"\\\\SRV1", L"\\\\SRV1\\lp"}));
  EXPECT_FALSE(IsWindowEnabled(browser().B_AddShare()));  // a printer
  TreeView_SelectItem(tree, FindItem(tree, {L"\\\\SRV1", L"\\\\SRV1\\経理"}));
  ASSERT_TRUE(IsWindowEnabled(browser().B_AddShare()));

  TF_SettingButtonForm& form = running_->app().F_SettingButtonForm;
  std::vector<std::wstring> shown;
  bool ok = true;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != form.Handle()) return;
    shown = {WindowText(form.E_Name()), WindowText(form.CB_Drive()), WindowText(form.E_Folder()),
             WindowText(form.E_ID()), WindowText(form.E_Pass())};
    // Posted: the dialog's own loop dispatches it once the dialog is up.
    HWND button = ok ? form.B_OK() : form.B_Cancel();
    PostClick(button);
  });
  SendMessageW(browser().B_AddShare(), BM_CLICK, 0, 0);
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"経理", L"", L"\\\\SRV1\\経理", L"", L""}));
  // A new button keeps its password in Credential Manager: its Pass is empty.
  const std::string added = before + "\x8C\x6F\x97\x9D,,\\\\SRV1\\\x8C\x6F\x97\x9D,,\r\n";
  EXPECT_EQ(FileBytes(testing::SettingsFilePath()), added);
  std::vector<HWND> buttons = main().ConnectButtons();
  ASSERT_EQ(buttons.size(), 2u);
  EXPECT_EQ(WindowText(buttons.back()), L"経理");
  EXPECT_TRUE(Log().ends_with(L"【\\\\SRV1\\経理】の接続ボタンを追加しました\r\n")) << Log();

  // A double click on another share, cancelled.
  ok = false;
  shown.clear();
  HTREEITEM share = FindItem(tree, {L"\\\\SRV1", L"\\\\SRV1\\a"});
  TreeView_SelectItem(tree, share);
  RECT rect{};
  TreeView_GetItemRect(tree, share, &rect, TRUE);
  SendMessageW(tree, WM_LBUTTONDBLCLK, MK_LBUTTON,
               MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
  EXPECT_EQ(shown, (std::vector<std::wstring>{L"a", L"", L"\\\\SRV1\\a", L"", L""}));
  EXPECT_EQ(FileBytes(testing::SettingsFilePath()), added);
  EXPECT_EQ(main().ConnectButtons().size(), 2u);
  EXPECT_EQ(running_->app().Settings.Count(), 2u);
}

// A server whose share name holds a line break: it is neither shown nor offered, the log says so, and after
// a button from the other share and a restart the file holds exactly the buttons the user made.
TEST_F(ServerBrowserTest, AShareNameWithALineBreakNeverBecomesButtons) {
  const std::string before = "a,,\\\\SRV1\\a,,\r\n";
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\SRV1",
                                                            {u"\\\\SRV1\\b\r\n\\\\EVIL\\x,,,\r\nc", u"\\\\SRV1\\ok"}),
        before);
  Search();
  EXPECT_EQ(Tree(), (std::vector<std::wstring>{L"0|\\\\SRV1|0", L"1|\\\\SRV1\\ok|1"}));
  EXPECT_NE(
      Log().find(
          L"【\\\\SRV1\\b[0D][0A]\\\\EVIL\\x,,,[0D][0A]c】は名前に改行などの制御文字を含むため、表示しません\r\n"),
      std::wstring::npos)
      << Log();
  TF_SettingButtonForm& form = running_->app().F_SettingButtonForm;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == form.Handle()) {
      PostClick(form.B_OK());
    }
  });
  TreeView_SelectItem(browser().TV_NetRec(), FindItem(browser().TV_NetRec(), {L"\\\\SRV1", L"\\\\SRV1\\ok"}));
  SendMessageW(browser().B_AddShare(), BM_CLICK, 0, 0);

  running_.reset();
  running_ = std::make_unique<testing::RunningApplication>(&shell_);
  ASSERT_TRUE(running_->WaitForNetwork());
  std::vector<std::wstring> folders;
  for (size_t i = 0; i < running_->app().Settings.Count(); ++i) {
    const Text& folder = running_->app().Settings.Get(i, SubItem::Folder);
    folders.emplace_back(folder.begin(), folder.end());
  }
  EXPECT_EQ(folders, (std::vector<std::wstring>{L"\\\\SRV1\\a", L"\\\\SRV1\\ok"}));
  EXPECT_EQ(main().ConnectButtons().size(), 2u);
}

// An IPv6 address typed as the hint allows is looked up by the literal name a UNC path takes.
TEST_F(ServerBrowserTest, ATypedIpv6AddressIsLookedUp) {
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\fe80--1.ipv6-literal.net",
                                                            {u"\\\\fe80--1.ipv6-literal.net\\share"}));
  LookUp(L"fe80::1");
  EXPECT_EQ(Tree(), (std::vector<std::wstring>{L"0|\\\\fe80--1.ipv6-literal.net|0",
                                               L"1|\\\\fe80--1.ipv6-literal.net\\share|1"}));
}

// A file that cannot be written: the error is shown, and the list, the buttons and the file stay as they were.
TEST_F(ServerBrowserTest, AButtonThatCannotBeSavedIsNotKept) {
  const std::string before = "a,,\\\\SRV1\\a,,\r\n";
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\SRV1", {u"\\\\SRV1\\b"}), before);
  HANDLE holder = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  TF_SettingButtonForm& form = running_->app().F_SettingButtonForm;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
    if (window == form.Handle()) {
      PostClick(form.B_OK());
    } else if (seen.className == L"#32770") {
      WindowWatcher::Answer(window, IDOK);
    }
  });
  Search();
  TreeView_SelectItem(browser().TV_NetRec(), FindItem(browser().TV_NetRec(), {L"\\\\SRV1", L"\\\\SRV1\\b"}));
  SendMessageW(browser().B_AddShare(), BM_CLICK, 0, 0);
  CloseHandle(holder);
  ASSERT_EQ(watcher.MessageBoxes().size(), 1u);
  EXPECT_NE(watcher.MessageBoxes()[0].text.find(testing::SettingsFilePath()), std::wstring::npos);
  EXPECT_EQ(running_->app().Settings.Count(), 1u);
  EXPECT_EQ(main().ConnectButtons().size(), 1u);
  EXPECT_EQ(FileBytes(testing::SettingsFilePath()), before);
  EXPECT_FALSE(Log().ends_with(L"の接続ボタンを追加しました\r\n")) << Log();
}

// As the user meets it: the browser opened from the main window, the dialog over it. While the dialog is
// up the browser takes no input; afterwards the browser is active again and the main window still blocked.
TEST_F(ServerBrowserTest, TheDialogOverTheBrowserBlocksItAndGivesItBack) {
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\SRV1", {u"\\\\SRV1\\a"}), "a,,\\\\SRV1\\x,,\r\n");
  TF_SettingButtonForm& form = running_->app().F_SettingButtonForm;
  bool browserEnabledUnderDialog = true;
  bool browserActiveAfter = false;
  bool mainEnabledAfter = true;
  bool browserShown = false;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window == browser().Handle() && !browserShown) {
      browserShown = true;
      // From the browser's own loop, once it is up.
      testing::RunSoon([&] {
        Search();
        TreeView_SelectItem(browser().TV_NetRec(), FindItem(browser().TV_NetRec(), {L"\\\\SRV1", L"\\\\SRV1\\a"}));
        SendMessageW(browser().B_AddShare(), BM_CLICK, 0, 0);
        browserActiveAfter = GetActiveWindow() == browser().Handle();
        mainEnabledAfter = IsWindowEnabled(main().Handle()) != FALSE;
        SendMessageW(browser().B_Close(), BM_CLICK, 0, 0);
      });
    }
    if (window == form.Handle()) {
      browserEnabledUnderDialog = IsWindowEnabled(browser().Handle()) != FALSE;
      PostMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    }
  });
  SendMessageW(main().B_NetResSearch(), BM_CLICK, 0, 0);
  EXPECT_TRUE(browserShown);
  EXPECT_FALSE(browserEnabledUnderDialog);
  EXPECT_TRUE(browserActiveAfter);
  EXPECT_FALSE(mainEnabledAfter);
  EXPECT_TRUE(IsWindowEnabled(main().Handle()));  // the browser closed
  EXPECT_EQ(running_->app().Settings.Count(), 1u);
}

// Enter in the server field looks the server up, as the button does.
TEST_F(ServerBrowserTest, EnterInTheServerFieldLooksItUp) {
  Start(StandInNetwork().TurnDiscoveryOff().AddServerShares(u"\\\\SRV1", {u"\\\\SRV1\\a"}));
  std::vector<std::wstring> tree;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != browser().Handle()) return;
    testing::RunSoon([&] {
      SetFocus(browser().E_Server());
      SetWindowTextW(browser().E_Server(), L"srv1");
      // Through the browser's loop, which gives the dialog keys their meaning.
      PostMessageW(browser().E_Server(), WM_KEYDOWN, VK_RETURN, 0);
      testing::RunSoon([&] {
        // The look-up runs on the worker: its result is shown once it is done, not at the next idle moment.
        running_->PumpUntil([&] { return !running_->app().Worker.Busy() && !Tree().empty(); });
        tree = Tree();
        SendMessageW(browser().B_Close(), BM_CLICK, 0, 0);
      });
    });
  });
  SendMessageW(main().B_NetResSearch(), BM_CLICK, 0, 0);
  EXPECT_EQ(tree, (std::vector<std::wstring>{L"0|\\\\srv1|0", L"1|\\\\SRV1\\a|1"}));
}

}  // namespace
}  // namespace velloway
