// The current connections walk over a stand-in network.
#include <gtest/gtest.h>

#include <string>

#include "FakeNetwork.h"
#include "core/ConnectionEnumeration.h"

namespace velloway {
namespace {

using testing::Disk;
using testing::FakeNetwork;

struct Listed {
  std::vector<Text> locals, remotes;
};

Listed Walk(FakeNetwork& network) {
  Listed listed;
  EnumerateConnections(network, nullptr, listed.locals, listed.remotes);
  return listed;
}

TEST(EnumerateConnections, KeepsOnlyWindowsNetworkRecordsWithARemoteName) {
  FakeNetwork network;
  network.Below(u"").records = {Disk(u"Z:", u"\\\\srv\\a"), Disk(u"", u"\\\\srv\\nodrive"),
                                Disk(u"W:", u"\\\\web\\dav", u"Web Client Network"), Disk(u"Y:", u""),
                                Disk(u"X:", u"\\\\srv\\x")};
  const Listed listed = Walk(network);
  EXPECT_EQ(listed.locals, (std::vector<Text>{u"Z:", u"", u"X:"}));
  EXPECT_EQ(listed.remotes, (std::vector<Text>{u"\\\\srv\\a", u"\\\\srv\\nodrive", u"\\\\srv\\x"}));
  EXPECT_EQ(network.openedScopes, std::vector<std::uint32_t>{kResourceConnected});
  EXPECT_EQ(network.closeCount, network.openCount);
}

TEST(EnumerateConnections, DescendsIntoContainersInOrder) {
  FakeNetwork network;
  network.Below(u"").records = {Disk(u"", u"\\\\box", kWindowsNetwork, kResourceUsageContainer),
                                Disk(u"Z:", u"\\\\srv\\z")};
  network.Below(u"\\\\box").records = {Disk(u"Q:", u"\\\\box\\q")};
  const Listed listed = Walk(network);
  EXPECT_EQ(listed.remotes, (std::vector<Text>{u"\\\\box", u"\\\\box\\q", u"\\\\srv\\z"}));
  EXPECT_EQ(network.openCount, 2);
  EXPECT_EQ(network.closeCount, 2);
}

// More connections than one batch holds: every one of them is listed.
TEST(EnumerateConnections, ReadsEveryBatchOfALevel) {
  FakeNetwork network;
  network.batchSize = 7;
  for (int i = 0; i < 200; ++i) {
    const std::string digits = std::to_string(i);
    network.Below(u"").records.push_back(Disk(u"", u"\\\\srv\\s" + Text(digits.begin(), digits.end())));
  }
  const Listed listed = Walk(network);
  ASSERT_EQ(listed.remotes.size(), 200u);
  EXPECT_EQ(listed.remotes.back(), u"\\\\srv\\s199");
}

TEST(EnumerateConnections, FailuresListFewerSilently) {
  FakeNetwork network;
  network.Below(u"").openResult = 1222;
  EXPECT_TRUE(Walk(network).remotes.empty());

  FakeNetwork partly;
  partly.batchSize = 2;
  partly.Below(u"").records = {Disk(u"A:", u"\\\\s\\a"), Disk(u"B:", u"\\\\s\\b"), Disk(u"C:", u"\\\\s\\c")};
  partly.Below(u"").failAfterBatches = 1;
  EXPECT_EQ(Walk(partly).remotes, (std::vector<Text>{u"\\\\s\\a", u"\\\\s\\b"}));
  EXPECT_EQ(partly.closeCount, 1);
}

// A container that lists itself, or its parent, is listed but not walked again: the walk ends.
TEST(EnumerateConnections, EndsWhenAContainerListsItselfOrAnAncestor) {
  FakeNetwork network;
  network.Below(u"").records = {Disk(u"", u"\\\\box", kWindowsNetwork, kResourceUsageContainer)};
  network.Below(u"\\\\box").records = {Disk(u"", u"\\\\BOX", kWindowsNetwork, kResourceUsageContainer),
                                       Disk(u"", u"\\\\box\\sub", kWindowsNetwork, kResourceUsageContainer)};
  network.Below(u"\\\\box\\sub").records = {Disk(u"", u"\\\\box", kWindowsNetwork, kResourceUsageContainer),
                                            Disk(u"Q:", u"\\\\box\\sub\\q")};
  const Listed listed = Walk(network);
  EXPECT_EQ(listed.remotes,
            (std::vector<Text>{u"\\\\box", u"\\\\BOX", u"\\\\box\\sub", u"\\\\box", u"\\\\box\\sub\\q"}));
  EXPECT_EQ(network.openCount, 3);
  EXPECT_EQ(network.closeCount, 3);
}

}  // namespace
}  // namespace velloway
