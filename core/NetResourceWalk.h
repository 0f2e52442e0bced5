// The walk of the network neighbourhood: the tree nodes it makes and the log lines it writes.
#pragma once

#include <vector>

#include "NetworkProvider.h"

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

// Walks below container (the top when none) at the given depth, adding nodes under parent and log lines.
void EnumerateNetResources(NetworkProvider& provider, const NetResource* container, int parent, int depth,
                           BrowseResult& result);

}  // namespace velloway
