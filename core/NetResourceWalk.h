// The walk of the network neighbourhood: the tree nodes it makes and the log lines it writes.
#pragma once

#include <functional>
#include <vector>

#include "core/NetworkProvider.h"

namespace velloway {

inline constexpr int kNoNode = -1;

// Node pictures.
enum NodePicture { kPictureComputer = 0, kPictureFolder = 1, kPicturePrinter = 2, kPictureNetwork = 3 };

struct BrowseNode {
  int parent = kNoNode;  // index of the parent node, or kNoNode at the top level
  Text text;
  int picture = kPictureComputer;
  bool operator==(const BrowseNode&) const = default;
};

struct BrowseResult {
  std::vector<BrowseNode> nodes;  // in the order they are added, each after its parent
  std::vector<Text> log;
};

// Lets a walk that runs on another thread be watched and stopped. stopped is asked before each read, and
// once it answers true the walk reads nothing more; progress is given the result so far before each
// level is opened and at the end, so that what was found can be shown while the network is asked.
struct WalkControl {
  std::function<bool()> stopped;
  std::function<void(const BrowseResult&)> progress;

  bool Stopped() const { return stopped && stopped(); }
  void Progress(const BrowseResult& result) const {
    if (progress) progress(result);
  }
};

// The last log line of a walk that was stopped, instead of "探索終了".
inline constexpr char16_t kWalkStoppedLine[] = u"探索を中止しました";

// A name from a server with a control character in it (a line break, say) could become a button of the
// server's choosing: it is left out of the tree and of everything below it, and the log says so. True when the
// record was dropped.
bool DropsControlName(const NetResource& record, BrowseResult& result);

// Walks below container (the top when none) at the given depth, adding nodes under parent and log lines.
void EnumerateNetResources(NetworkProvider& provider, const NetResource* container, int parent, int depth,
                           BrowseResult& result, const WalkControl& control = {});

}  // namespace velloway
