// The network neighbourhood walk over a stand-in network of 10,000 entries (100 servers of 99 shares).
#include <benchmark/benchmark.h>

#include <string>

#include "FakeNetwork.h"
#include "core/NetResourceWalk.h"

namespace velloway {
namespace {

Text Number(int n) {
  const std::string digits = std::to_string(n);
  return Text(digits.begin(), digits.end());
}

void BM_WalkTenThousandEntries(benchmark::State& state) {
  testing::FakeNetwork network;
  network.batchSize = 512;
  NetResource group;
  group.Usage = kResourceUsageContainer;
  group.RemoteName = u"WORKGROUP";
  group.Provider = kWindowsNetwork;
  network.Below(u"").records.push_back(group);
  for (int s = 0; s < 100; ++s) {
    NetResource server = group;
    server.RemoteName = u"\\\\SRV" + Number(s);
    network.Below(u"WORKGROUP").records.push_back(server);
    for (int k = 0; k < 99; ++k) {
      NetResource share;
      share.Type = kResourceTypeDisk;
      share.RemoteName = server.RemoteName + u"\\share" + Number(k);
      share.Provider = kWindowsNetwork;
      network.Below(server.RemoteName).records.push_back(share);
    }
  }
  size_t nodes = 0;
  for (auto _ : state) {
    BrowseResult result;
    EnumerateNetResources(network, nullptr, kNoNode, 0, result);
    nodes = result.nodes.size();
    benchmark::DoNotOptimize(result);
  }
  state.counters["nodes"] = static_cast<double>(nodes);
}

BENCHMARK(BM_WalkTenThousandEntries)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velloway
