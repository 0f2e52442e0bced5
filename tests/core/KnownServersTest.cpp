// Known servers: names out of paths and typed text, the failure texts, and the listing of each server's
// shares over a stand-in network.
#include <gtest/gtest.h>

#include "FakeNetwork.h"
#include "core/KnownServers.h"

namespace velloway {
namespace {

using testing::FakeNetwork;

NetResource Entry(Text remote, std::uint32_t type, Text comment = u"", Text provider = kWindowsNetwork) {
  NetResource record;
  record.Type = type;
  record.RemoteName = std::move(remote);
  record.Comment = std::move(comment);
  record.Provider = std::move(provider);
  return record;
}

TEST(KnownServers, ServerOfPathAndOfTypedText) {
  struct Case {
    Text input;
    std::optional<Text> fromPath;
    std::optional<Text> fromInput;
  };
  const Case cases[] = {
      {u"\\\\srv\\share", u"\\\\srv", u"\\\\srv"},
      {u"\\\\SRV\\share\\dir\\", u"\\\\SRV", u"\\\\SRV"},
      {u"\\\\192.168.1.10\\経理", u"\\\\192.168.1.10", u"\\\\192.168.1.10"},
      {u"\\\\srv", u"\\\\srv", u"\\\\srv"},
      {u"\\\\srv\\", u"\\\\srv", u"\\\\srv"},
      {u"srv", std::nullopt, u"\\\\srv"},
      {u"192.168.1.10", std::nullopt, u"\\\\192.168.1.10"},
      {u"  \\\\ファイル鯖　", std::nullopt, u"\\\\ファイル鯖"},  // ASCII and ideographic spaces around
      {u"srv\\share", std::nullopt, u"\\\\srv"},
      {u"Z:\\dir", std::nullopt, std::nullopt},
      {u"\\\\?\\UNC\\srv\\s", std::nullopt, std::nullopt},
      {u"\\\\.\\pipe\\x", std::nullopt, std::nullopt},
      {u"\\\\", std::nullopt, std::nullopt},
      {u"\\\\\\share", std::nullopt, std::nullopt},
      {u"", std::nullopt, std::nullopt},
      {u"　 ", std::nullopt, std::nullopt},
      // IPv6, in the literal form a UNC path takes.
      {u"fe80::1", std::nullopt, u"\\\\fe80--1.ipv6-literal.net"},
      {u" [2001:db8::10] ", std::nullopt, u"\\\\2001-db8--10.ipv6-literal.net"},
      {u"\\\\2001:db8:0:0:0:0:0:1\\share", u"\\\\2001:db8:0:0:0:0:0:1", u"\\\\2001-db8-0-0-0-0-0-1.ipv6-literal.net"},
      {u"fe80::1%12", std::nullopt, u"\\\\fe80--1s12.ipv6-literal.net"},
      {u"::ffff:192.168.1.10", std::nullopt, u"\\\\--ffff-192.168.1.10.ipv6-literal.net"},
      {u"::1", std::nullopt, u"\\\\--1.ipv6-literal.net"},
      {u"1:2", std::nullopt, std::nullopt},
      {u"1::2::3", std::nullopt, std::nullopt},
      {u"12345::1", std::nullopt, std::nullopt},
      {u"a:b:c", std::nullopt, std::nullopt},
      {u"fe80::1%", std::nullopt, std::nullopt},
      {u"http://srv/", std::nullopt, std::nullopt},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ServerOfPath(c.input), c.fromPath) << std::string(c.input.begin(), c.input.end());
    EXPECT_EQ(ServerFromInput(c.input), c.fromInput) << std::string(c.input.begin(), c.input.end());
  }
}

TEST(KnownServers, EachServerOnceInTheOrderOfFirstMention) {
  const std::vector<Text> paths = {u"\\\\srv1\\a", u"",           u"D:\\x",          u"\\\\SRV1\\b", u"\\\\10.0.0.2\\c",
                                   u"\\\\srv2\\d", u"\\\\Srv1\\", u"\\\\10.0.0.2\\e"};
  EXPECT_EQ(ServersOf(paths), (std::vector<Text>{u"\\\\srv1", u"\\\\10.0.0.2", u"\\\\srv2"}));
  EXPECT_TRUE(ServersOf({}).empty());
}

TEST(KnownServers, FailureTextsUseTheConnectTextsWhereOneFits) {
  const Text server = u"\\\\srv";
  const std::pair<std::uint32_t, Text> cases[] = {
      {53, u"【\\\\srv】サーバーが見つかりません（エラー 53）"},
      {67, u"【\\\\srv】サーバーが見つかりません（エラー 67）"},
      {5, u"【\\\\srv】ID又はパスワードが間違っています（エラー 5）"},
      {1326, u"【\\\\srv】ID、パスワードが間違っていませんか？（エラー 1326）"},
      {1222, u"【\\\\srv】ネットワークに接続されていません（エラー 1222）"},
      {1208, u"【\\\\srv】ネットワークエラーです。LANケーブルがささっていますか？（エラー 1208）"},
      {50, u"【\\\\srv】共有の一覧を読めませんでした（エラー 50）"},
  };
  for (const auto& [code, text] : cases) EXPECT_EQ(ServerFailureText(code, server), text) << code;
}

TEST(KnownServers, ListingAServerGivesItsNodeWithSharesBelow) {
  FakeNetwork network;
  network.batchSize = 2;  // more shares than one batch
  network.Below(u"\\\\srv").records = {Entry(u"\\\\srv\\経理", kResourceTypeDisk, u"経理部"),
                                       Entry(u"\\\\srv\\lp", kResourceTypePrint),
                                       Entry(u"\\\\srv\\dav", kResourceTypeDisk, u"", u"Web Client Network"),
                                       Entry(u"", kResourceTypeDisk), Entry(u"\\\\srv\\ipc", 0)};
  BrowseResult result;
  result.nodes.push_back(BrowseNode{kNoNode, u"WORKGROUP", kPictureNetwork});  // nodes already there stay
  EXPECT_EQ(ListServerShares(network, u"\\\\srv", result), kNoError);
  EXPECT_EQ(result.nodes, (std::vector<BrowseNode>{{kNoNode, u"WORKGROUP", kPictureNetwork},
                                                   {kNoNode, u"\\\\srv", kPictureComputer},
                                                   {1, u"\\\\srv\\経理", kPictureFolder},
                                                   {1, u"\\\\srv\\lp", kPicturePrinter},
                                                   {1, u"\\\\srv\\ipc", kPictureComputer}}));
  EXPECT_EQ(result.log, (std::vector<Text>{u",\\\\srv\\経理,経理部,Microsoft Windows Network",
                                           u",\\\\srv\\lp,,Microsoft Windows Network",
                                           u",\\\\srv\\ipc,,Microsoft Windows Network"}));
  // One open, of the server itself as a container of the Windows network, closed again.
  ASSERT_EQ(network.openedContainers.size(), 1u);
  const NetResource& container = network.openedContainers[0];
  EXPECT_EQ(container.RemoteName, u"\\\\srv");
  EXPECT_EQ(container.Provider, kWindowsNetwork);
  EXPECT_TRUE(container.IsContainer());
  EXPECT_EQ(network.openedScopes, (std::vector<std::uint32_t>{kResourceGlobalNet}));
  EXPECT_EQ(network.closeCount, network.openCount);
}

// A share name with a line break could become a button of the server's choosing: it is left out, and said so.
TEST(KnownServers, NamesWithControlCharactersAreLeftOutAndLogged) {
  FakeNetwork network;
  network.Below(u"\\\\srv").records = {Entry(u"\\\\srv\\a\r\n\\\\evil\\x", kResourceTypeDisk),
                                       Entry(u"\\\\srv\\ok", kResourceTypeDisk, u"two\nlines")};
  BrowseResult result;
  EXPECT_EQ(ListServerShares(network, u"\\\\srv", result), kNoError);
  EXPECT_EQ(result.nodes,
            (std::vector<BrowseNode>{{kNoNode, u"\\\\srv", kPictureComputer}, {0, u"\\\\srv\\ok", kPictureFolder}}));
  EXPECT_EQ(result.log,
            (std::vector<Text>{u"【\\\\srv\\a[0D][0A]\\\\evil\\x】は名前に改行などの制御文字を含むため、表示しません",
                               u",\\\\srv\\ok,two[0A]lines,Microsoft Windows Network"}));
}

TEST(KnownServers, AServerThatFailsAddsOnlyItsLine) {
  FakeNetwork network;
  network.Below(u"\\\\gone").openResult = 53;
  network.Below(u"\\\\locked").records = {Entry(u"\\\\locked\\x", kResourceTypeDisk)};
  network.Below(u"\\\\locked").failAfterBatches = 0;
  BrowseResult result;
  EXPECT_EQ(ListServerShares(network, u"\\\\gone", result), 53u);
  EXPECT_EQ(ListServerShares(network, u"\\\\locked", result), 1208u);
  EXPECT_EQ(ListServerShares(network, u"\\\\empty", result), kNoError);  // answers, with no share
  EXPECT_EQ(result.nodes, (std::vector<BrowseNode>{{kNoNode, u"\\\\empty", kPictureComputer}}));
  EXPECT_EQ(result.log,
            (std::vector<Text>{u"【\\\\gone】サーバーが見つかりません（エラー 53）",
                               u"【\\\\locked】ネットワークエラーです。LANケーブルがささっていますか？（エラー 1208）",
                               u"【\\\\empty】共有されているものはありません"}));
  EXPECT_EQ(network.closeCount, network.openCount);
}

TEST(KnownServers, KnownServersAreListedInTurnAndAFailureDoesNotStopThem) {
  FakeNetwork network;
  network.Below(u"\\\\a").records = {Entry(u"\\\\a\\s", kResourceTypeDisk)};
  network.Below(u"\\\\b").openResult = 5;
  network.Below(u"\\\\c").records = {Entry(u"\\\\c\\t", kResourceTypeDisk)};
  BrowseResult result;
  ListKnownServers(network, {u"\\\\a", u"\\\\b", u"\\\\c"}, result);
  EXPECT_EQ(result.nodes, (std::vector<BrowseNode>{{kNoNode, u"\\\\a", kPictureComputer},
                                                   {0, u"\\\\a\\s", kPictureFolder},
                                                   {kNoNode, u"\\\\c", kPictureComputer},
                                                   {2, u"\\\\c\\t", kPictureFolder}}));
  EXPECT_EQ(result.log,
            (std::vector<Text>{
                u"ネットワーク探索で何も見つからなかったため、既知のサーバーを調べます: \\\\a, \\\\b, \\\\c",
                u",\\\\a\\s,,Microsoft Windows Network", u"【\\\\b】ID又はパスワードが間違っています（エラー 5）",
                u",\\\\c\\t,,Microsoft Windows Network"}));

  BrowseResult none;
  size_t linesShown = 0;
  ListKnownServers(network, {}, none,
                   WalkControl{nullptr, [&](const BrowseResult& now) { linesShown = now.log.size(); }});
  EXPECT_EQ(linesShown, 1u) << "the line is shown while the browser waits for nothing more";
  EXPECT_TRUE(none.nodes.empty());
  EXPECT_EQ(none.log,
            (std::vector<Text>{
                u"ネットワーク探索で何も見つかりませんでした。サーバー名を入力すると、その共有を調べられます"}));
}

TEST(KnownServers, AStopBetweenTwoServersEndsTheListing) {
  FakeNetwork network;
  network.Below(u"\\\\a").records = {Entry(u"\\\\a\\s", kResourceTypeDisk)};
  network.Below(u"\\\\b").records = {Entry(u"\\\\b\\t", kResourceTypeDisk)};
  BrowseResult result;
  size_t shown = 0;
  WalkControl control{[&] { return network.openCount >= 1; },
                      [&](const BrowseResult& now) { shown = now.nodes.size(); }};
  ListKnownServers(network, {u"\\\\a", u"\\\\b"}, result, control);
  EXPECT_EQ(network.openCount, 1);
  EXPECT_EQ(result.nodes.size(), 2u);
  EXPECT_EQ(shown, 2u);
  EXPECT_EQ(result.log.back(), kWalkStoppedLine);
}

TEST(KnownServers, ShareNameIsThePartAfterTheLastBackslash) {
  EXPECT_EQ(ShareName(u"\\\\srv\\経理"), u"経理");
  EXPECT_EQ(ShareName(u"\\\\srv\\a\\b\\"), u"b");
  EXPECT_EQ(ShareName(u"share"), u"share");
}

}  // namespace
}  // namespace velloway
