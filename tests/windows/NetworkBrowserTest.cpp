// The network browser window over the stand-in network's browse tree.
#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include "StandInNetwork.h"
#include "UiHarness.h"

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

class NetworkBrowserTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testing::RemoveSettingsFile();
    StandInNetwork()
        .AddUsualNeighbourhood()
        .Save();
    running_ = std::make_unique<RunningApplication>();
  }
  void TearDown() override {
    running_.reset();
    StandInNetwork::Clear();
  }
  TF_NetResEnum& browser() { return running_->app().F_NetResEnum; }
  void Search() { SendMessageW(browser().B_GetNetRes(), BM_CLICK, 0, 0); }

  std::unique_ptr<RunningApplication> running_;
};

TEST_F(NetworkBrowserTest, UsualNetworkBecomesATreeWithPicturesAndALog) {
  EXPECT_EQ(WindowText(browser().B_GetNetRes()), L"リソース一覧の取得");
  EXPECT_EQ(WindowText(GetWindow(browser().Panel2(), GW_CHILD)), L"  Status");
  Search();
  EXPECT_EQ(TreeLines(browser().TV_NetRec()),
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
  EXPECT_NE(log.find(L"【\\\\SRV】は探索済みか階層が深すぎるため、その下は探索しません\r\n"), std::wstring::npos) << log;
  EXPECT_TRUE(log.ends_with(L"探索終了\r\n"));
}

}  // namespace
}  // namespace velloway
