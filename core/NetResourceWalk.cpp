// The network neighbourhood walk.
#include "core/NetResourceWalk.h"

namespace velloway {
namespace {

int PictureOf(const NetResource& record, int depth) {
  int picture = kPictureComputer;
  if (depth == 1) picture = kPictureNetwork;
  if ((record.Type & kResourceTypeDisk) != 0) picture = kPictureFolder;
  if ((record.Type & kResourceTypePrint) != 0) picture = kPicturePrinter;
  return picture;
}

// path: the remote names of the containers above this level.
void Walk(NetworkProvider& provider, const NetResource* container, int parent, int depth, std::vector<Text>& path,
          BrowseResult& result, const WalkControl& control) {
  if (control.Stopped()) return;
  control.Progress(result);
  std::unique_ptr<ResourceEnumeration> enumeration;
  if (provider.OpenEnum(kResourceGlobalNet, kResourceTypeAny, 0, container, enumeration) != kNoError || !enumeration) {
    return;
  }
  std::vector<NetResource> records;
  if (control.Stopped() || enumeration->Next(records) != kNoError) return;
  // The rest of the level, until the provider says there is no more.
  std::vector<NetResource> rest = ReadAllRecords(*enumeration, control.stopped);
  records.insert(records.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));

  // Kept from one record to the next: a container that makes no node of its own hangs its children
  // under the node of the record before it.
  int current = kNoNode;
  for (const NetResource& record : records) {
    if (!IsKeptResource(record)) continue;
    if (DropsControlName(record, result)) continue;
    // A comment's line break would make the log lie about what the server sent.
    result.log.push_back(ShowControlCharacters(record.LocalName + u"," + record.RemoteName + u"," + record.Comment +
                                               u"," + record.Provider));
    if (record.RemoteName != kWindowsNetwork) {
      result.nodes.push_back(BrowseNode{parent, record.RemoteName, PictureOf(record, depth)});
      current = static_cast<int>(result.nodes.size()) - 1;
    }
    if (!record.IsContainer()) continue;
    if (StopsWalk(record, path)) {
      // A container that lists itself or an ancestor would be walked for ever.
      result.log.push_back(u"【" + record.RemoteName + u"】は探索済みか階層が深すぎるため、その下は探索しません");
      continue;
    }
    path.push_back(record.RemoteName);
    Walk(provider, &record, current, depth + 1, path, result, control);
    path.pop_back();
  }
  if (depth == 0) result.log.push_back(control.Stopped() ? kWalkStoppedLine : u"探索終了");
}

}  // namespace

bool DropsControlName(const NetResource& record, BrowseResult& result) {
  if (!HasControlCharacter(record.RemoteName)) return false;
  result.log.push_back(u"【" + ShowControlCharacters(record.RemoteName) +
                       u"】は名前に改行などの制御文字を含むため、表示しません");
  return true;
}

void EnumerateNetResources(NetworkProvider& provider, const NetResource* container, int parent, int depth,
                           BrowseResult& result, const WalkControl& control) {
  std::vector<Text> path;
  if (container != nullptr) path.push_back(container->RemoteName);
  Walk(provider, container, parent, depth, path, result, control);
  // A walk stopped before its end says so once.
  if (control.Stopped() && (result.log.empty() || result.log.back() != kWalkStoppedLine)) {
    result.log.push_back(kWalkStoppedLine);
  }
  control.Progress(result);
}

}  // namespace velloway
