// The network neighbourhood walk over a stand-in network: nodes, pictures, log lines and failures.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "FakeNetwork.h"
#include "core/NetResourceWalk.h"
#include "core/Unicode.h"

namespace velloway {
namespace {

using testing::FakeNetwork;

NetResource Entry(Text remote, std::uint32_t type, bool container, Text comment = u"",
                  Text provider = kWindowsNetwork) {
  NetResource record;
  record.Type = type;
  record.Usage = container ? kResourceUsageContainer : 0;
  record.RemoteName = std::move(remote);
  record.Comment = std::move(comment);
  record.Provider = std::move(provider);
  return record;
}

BrowseResult Walk(FakeNetwork& network) {
  BrowseResult result;
  EnumerateNetResources(network, nullptr, kNoNode, 0, result);
  return result;
}

// The provider's own entry, a workgroup, a server, a disk share and a printer, plus another provider.
FakeNetwork UsualNetwork() {
  FakeNetwork network;
  network.Below(u"").records = {Entry(kWindowsNetwork, 0, true),
                                Entry(u"Web Client Network", 0, true, u"", u"Web Client Network")};
  network.Below(kWindowsNetwork).records = {Entry(u"WORKGROUP", 0, true)};
  network.Below(u"WORKGROUP").records = {Entry(u"\\\\SRV", 0, true, u"file server")};
  network.Below(u"\\\\SRV").records = {Entry(u"\\\\SRV\\share", kResourceTypeDisk, false),
                                       Entry(u"\\\\SRV\\lp", kResourceTypePrint, false, u"2F"),
                                       Entry(u"", kResourceTypeDisk, false)};
  network.Below(u"Web Client Network").records = {Entry(u"\\\\dav\\x", kResourceTypeDisk, false)};
  return network;
}

TEST(EnumerateNetResources, UsualNetworkGivesTheTreeAndTheLog) {
  FakeNetwork network = UsualNetwork();
  const BrowseResult result = Walk(network);
  EXPECT_EQ(result.nodes, (std::vector<BrowseNode>{{kNoNode, u"WORKGROUP", kPictureNetwork},
                                                   {0, u"\\\\SRV", kPictureComputer},
                                                   {1, u"\\\\SRV\\share", kPictureFolder},
                                                   {1, u"\\\\SRV\\lp", kPicturePrinter}}));
  EXPECT_EQ(result.log,
            (std::vector<Text>{
                u",Microsoft Windows Network,,Microsoft Windows Network", u",WORKGROUP,,Microsoft Windows Network",
                u",\\\\SRV,file server,Microsoft Windows Network", u",\\\\SRV\\share,,Microsoft Windows Network",
                u",\\\\SRV\\lp,2F,Microsoft Windows Network", u"探索終了"}));
  EXPECT_EQ(network.closeCount, network.openCount);
}

// A name with a line break is left out with everything below it; the log says so once.
TEST(EnumerateNetResources, NamesWithControlCharactersAreLeftOutWithWhatIsBelow) {
  FakeNetwork network = UsualNetwork();
  network.Below(u"WORKGROUP").records.push_back(Entry(u"\\\\EVIL\tSRV", 0, true));
  network.Below(u"\\\\EVIL\tSRV").records = {Entry(u"\\\\EVIL\tSRV\\x", kResourceTypeDisk, false)};
  network.Below(u"\\\\SRV").records.push_back(Entry(u"\\\\SRV\\a\n\\\\other\\b", kResourceTypeDisk, false));
  const BrowseResult result = Walk(network);
  EXPECT_EQ(result.nodes, (std::vector<BrowseNode>{{kNoNode, u"WORKGROUP", kPictureNetwork},
                                                   {0, u"\\\\SRV", kPictureComputer},
                                                   {1, u"\\\\SRV\\share", kPictureFolder},
                                                   {1, u"\\\\SRV\\lp", kPicturePrinter}}));
  const std::vector<Text> dropped = {
      u"【\\\\SRV\\a[0A]\\\\other\\b】は名前に改行などの制御文字を含むため、表示しません",
      u"【\\\\EVIL[09]SRV】は名前に改行などの制御文字を含むため、表示しません"};
  for (const Text& line : dropped) EXPECT_NE(std::find(result.log.begin(), result.log.end(), line), result.log.end());
  for (const Text& line : result.log) EXPECT_EQ(line.find(u"\\x"), Text::npos);  // nothing below was read
  EXPECT_EQ(network.closeCount, network.openCount);
}

TEST(EnumerateNetResources, PictureRulesLaterOverrideEarlier) {
  FakeNetwork network;
  network.Below(u"").records = {Entry(u"A", kResourceTypeDisk, false),
                                Entry(u"B", kResourceTypeDisk | kResourceTypePrint, false), Entry(u"C", 0, false)};
  BrowseResult result;
  EnumerateNetResources(network, nullptr, kNoNode, 1, result);  // depth 1: a network unless disk or print
  ASSERT_EQ(result.nodes.size(), 3u);
  EXPECT_EQ(result.nodes[0].picture, kPictureFolder);
  EXPECT_EQ(result.nodes[1].picture, kPicturePrinter);
  EXPECT_EQ(result.nodes[2].picture, kPictureNetwork);
  EXPECT_EQ(result.log.size(), 3u);  // the end line only at depth 0
}

// A container whose record made no node hangs its children under the node of the previous record.
TEST(EnumerateNetResources, ChildrenOfANodelessContainerGoUnderThePreviousNode) {
  FakeNetwork network;
  network.Below(u"").records = {Entry(u"GROUP", 0, true), Entry(kWindowsNetwork, 0, true)};
  network.Below(kWindowsNetwork).records = {Entry(u"\\\\X", 0, false)};
  const BrowseResult result = Walk(network);
  ASSERT_EQ(result.nodes.size(), 2u);
  EXPECT_EQ(result.nodes[1], (BrowseNode{0, u"\\\\X", kPictureNetwork}));  // depth 1
}

TEST(EnumerateNetResources, NoProviderLeavesNothingAndNoEndLine) {
  FakeNetwork network;
  network.Below(u"").openResult = 1222;
  const BrowseResult result = Walk(network);
  EXPECT_TRUE(result.nodes.empty());
  EXPECT_TRUE(result.log.empty());

  FakeNetwork failingRead;
  failingRead.Below(u"").records = {Entry(u"GROUP", 0, false)};
  failingRead.Below(u"").failAfterBatches = 0;
  EXPECT_TRUE(Walk(failingRead).log.empty());
  EXPECT_EQ(failingRead.closeCount, 1);
}

TEST(EnumerateNetResources, ALevelLargerThanOneBatchIsComplete) {
  FakeNetwork network;
  network.batchSize = 16;
  for (int i = 0; i < 500; ++i) {
    const std::string n = std::to_string(i);
    network.Below(u"").records.push_back(Entry(u"\\\\S" + Text(n.begin(), n.end()), 0, false));
  }
  const BrowseResult result = Walk(network);
  EXPECT_EQ(result.nodes.size(), 500u);
  EXPECT_EQ(result.log.back(), u"探索終了");
}

// A server that lists itself, a share that lists its server, and a chain deeper than any real network:
// the walk ends, shows each node once, and says in the log where it did not descend.
TEST(EnumerateNetResources, WalksEndOnCyclesAndAtASaneDepth) {
  FakeNetwork network = UsualNetwork();
  network.Below(u"\\\\SRV").records.push_back(Entry(u"\\\\srv\\", 0, true));
  network.Below(u"\\\\SRV\\share").records = {Entry(u"WORKGROUP", 0, true)};
  network.Below(u"\\\\SRV").records[0].Usage = kResourceUsageContainer;
  const BrowseResult result = Walk(network);
  EXPECT_EQ(result.nodes.size(), 6u);  // the four usual nodes, the self-listed server and the share's workgroup
  EXPECT_EQ(result.log.back(), u"探索終了");
  const Text stopped = u"は探索済みか階層が深すぎるため、その下は探索しません";
  EXPECT_NE(std::find(result.log.begin(), result.log.end(), u"【\\\\srv\\】" + stopped), result.log.end());
  EXPECT_NE(std::find(result.log.begin(), result.log.end(), u"【WORKGROUP】" + stopped), result.log.end());

  FakeNetwork deep;
  Text above;
  for (int level = 0; level < 40; ++level) {
    const std::string n = std::to_string(level);
    const Text name = u"L" + Text(n.begin(), n.end());
    deep.Below(above).records = {Entry(name, 0, true)};
    above = name;
  }
  const BrowseResult deepResult = Walk(deep);
  EXPECT_EQ(deepResult.nodes.size(), static_cast<size_t>(kMostWalkDepth) + 1);
  EXPECT_EQ(deepResult.log.back(), u"探索終了");
  EXPECT_EQ(deep.closeCount, deep.openCount);
}

// The browser shows what a walk found while it goes on, and can stop it between two reads: each
// snapshot extends the one before, and a stop ends the walk at once with its own last line.
TEST(EnumerateNetResources, ProgressGrowsAndAStopEndsTheWalkBetweenReads) {
  FakeNetwork network = UsualNetwork();
  std::vector<BrowseResult> seen;
  WalkControl watch{nullptr, [&](const BrowseResult& now) { seen.push_back(now); }};
  BrowseResult whole;
  EnumerateNetResources(network, nullptr, kNoNode, 0, whole, watch);
  ASSERT_GE(seen.size(), 3u);
  for (size_t i = 1; i < seen.size(); ++i) {
    ASSERT_GE(seen[i].nodes.size(), seen[i - 1].nodes.size());
    EXPECT_TRUE(std::equal(seen[i - 1].nodes.begin(), seen[i - 1].nodes.end(), seen[i].nodes.begin()));
  }
  EXPECT_EQ(seen.back().nodes, whole.nodes);
  EXPECT_EQ(seen.back().log, whole.log);

  // Stopped once the workgroup's level has been read: the server below it is never opened.
  for (int stopAfterOpens : {0, 1, 2}) {
    FakeNetwork stopped = UsualNetwork();
    WalkControl control{[&] { return stopped.openCount > stopAfterOpens; }, nullptr};
    BrowseResult result;
    EnumerateNetResources(stopped, nullptr, kNoNode, 0, result, control);
    EXPECT_EQ(stopped.openCount, stopAfterOpens + 1) << stopAfterOpens;
    EXPECT_EQ(result.log.back(), kWalkStoppedLine) << stopAfterOpens;
    EXPECT_EQ(std::count(result.log.begin(), result.log.end(), Text(kWalkStoppedLine)), 1) << stopAfterOpens;
    EXPECT_LT(result.nodes.size(), whole.nodes.size()) << stopAfterOpens;
    EXPECT_EQ(stopped.closeCount, stopped.openCount) << stopAfterOpens;
  }
}

}  // namespace
}  // namespace velloway
