// Known servers and the listing of one server's shares.
#include "core/KnownServers.h"

#include "core/ConnectResult.h"

namespace velloway {
namespace {

inline constexpr std::uint32_t kErrorAccessDenied = 5;
inline constexpr std::uint32_t kErrorBadNetPath = 53;
inline constexpr std::uint32_t kErrorBadNetName = 67;
inline constexpr std::uint32_t kErrorLogonFailure = 1326;
inline constexpr std::uint32_t kServerDisplayType = 2;

bool IsBlank(char16_t c) { return c <= u' ' || c == u'\u3000'; }  // the ideographic space of Japanese input

int SharePicture(const NetResource& record) {
  int picture = kPictureComputer;
  if ((record.Type & kResourceTypeDisk) != 0) picture = kPictureFolder;
  if ((record.Type & kResourceTypePrint) != 0) picture = kPicturePrinter;
  return picture;
}

bool IsHexDigit(char16_t c) { return (c >= u'0' && c <= u'9') || (c >= u'a' && c <= u'f') || (c >= u'A' && c <= u'F'); }

// An IPv6 address as typed (2001:db8::10, fe80::1%12, [::1]): up to eight groups of up to four hex digits, at most
// one "::", a dotted IPv4 tail allowed, a zone after "%".
bool IsIpv6Address(TextView address) {
  const size_t percent = address.find(u'%');
  const TextView zone = percent == TextView::npos ? TextView() : address.substr(percent + 1);
  if (percent != TextView::npos) {
    if (zone.empty()) return false;
    for (char16_t c : zone) {
      if (!IsHexDigit(c) && !(c >= u'g' && c <= u'z') && !(c >= u'G' && c <= u'Z')) return false;
    }
    address = address.substr(0, percent);
  }
  const size_t doubleColon = address.find(u"::");
  if (doubleColon != TextView::npos && address.find(u"::", doubleColon + 1) != TextView::npos) return false;
  int groups = 0;
  int colons = 0;
  size_t start = 0;
  while (start <= address.size()) {
    size_t end = address.find(u':', start);
    if (end == TextView::npos) end = address.size();
    const TextView group = address.substr(start, end - start);
    if (end < address.size()) ++colons;
    if (!group.empty()) {
      const bool last = end == address.size();
      if (last && group.find(u'.') != TextView::npos) {
        for (char16_t c : group) {
          if (!(c >= u'0' && c <= u'9') && c != u'.') return false;
        }
        groups += 2;  // an IPv4 tail counts as two groups
      } else {
        if (group.size() > 4) return false;
        for (char16_t c : group) {
          if (!IsHexDigit(c)) return false;
        }
        ++groups;
      }
    }
    start = end + 1;
  }
  if (colons < 2 || groups > 8) return false;
  return doubleColon != TextView::npos || groups == 8;
}

// A UNC path cannot hold ":" in a server name: Windows takes an IPv6 address there in its literal form, the
// colons as "-" and a zone's "%" as "s", under ipv6-literal.net.
Text Ipv6LiteralName(TextView address) {
  Text name;
  for (char16_t c : address) name += c == u':' ? u'-' : c == u'%' ? u's' : c;
  return name + u".ipv6-literal.net";
}

}  // namespace

std::optional<Text> ServerOfPath(TextView path) {
  if (path.size() < 3 || path[0] != u'\\' || path[1] != u'\\') return std::nullopt;
  const TextView rest = path.substr(2);
  const TextView name = rest.substr(0, rest.find(u'\\'));
  if (name.empty() || name == u"?" || name == u".") return std::nullopt;
  return u"\\\\" + Text(name);
}

std::vector<Text> ServersOf(const std::vector<Text>& paths) {
  std::vector<Text> servers;
  for (const Text& path : paths) {
    const std::optional<Text> server = ServerOfPath(path);
    if (!server) continue;
    bool known = false;
    for (const Text& seen : servers) known = known || SameResourceName(seen, *server);
    if (!known) servers.push_back(*server);
  }
  return servers;
}

std::optional<Text> ServerFromInput(TextView typed) {
  while (!typed.empty() && IsBlank(typed.front())) typed.remove_prefix(1);
  while (!typed.empty() && IsBlank(typed.back())) typed.remove_suffix(1);
  if (typed.starts_with(u"\\\\")) typed.remove_prefix(2);
  TextView name = typed.substr(0, typed.find(u'\\'));
  if (name.size() > 2 && name.front() == u'[' && name.back() == u']') name = name.substr(1, name.size() - 2);
  if (IsIpv6Address(name)) return u"\\\\" + Ipv6LiteralName(name);
  // Characters no server name has: a drive ("Z:"), a URL or a wildcard was typed.
  if (name.empty() || name.find_first_of(u":/*?\"<>|") != TextView::npos) return std::nullopt;
  return ServerOfPath(u"\\\\" + Text(name));
}

Text ServerFailureText(std::uint32_t resultCode, const Text& server) {
  Text reason;
  switch (resultCode) {
    case kErrorBadNetPath:
    case kErrorBadNetName: reason = u"サーバーが見つかりません"; break;
    case kErrorAccessDenied:
    case kErrorLogonFailure:
    case 86:    // a wrong password
    case 170:   // busy
    case 1203:  // no network or a bad name
    case 1208:  // the provider's own error
    case 1222:  // no network
      // The texts the connect results give for the same codes (1326 gets their "wrong ID or password?").
      reason = ConnectResultText(resultCode, server).status;
      break;
    default: reason = u"共有の一覧を読めませんでした"; break;
  }
  return u"【" + server + u"】" + reason + u"（エラー " + NumberText(resultCode) + u"）";
}

std::uint32_t ListServerShares(NetworkProvider& provider, const Text& server, BrowseResult& result) {
  NetResource container;
  container.Scope = kResourceGlobalNet;
  container.Type = kResourceTypeAny;
  container.DisplayType = kServerDisplayType;
  container.Usage = kResourceUsageContainer;
  container.RemoteName = server;
  // Naming the provider sends the request straight to it: mpr then answers with the server's own
  // result instead of trying every provider.
  container.Provider = kWindowsNetwork;

  std::unique_ptr<ResourceEnumeration> enumeration;
  std::uint32_t code = provider.OpenEnum(kResourceGlobalNet, kResourceTypeAny, 0, &container, enumeration);
  std::vector<NetResource> records;
  if (code == kNoError && !enumeration) code = kErrorNoMoreItems;  // nothing to read
  if (code == kNoError) {
    code = enumeration->Next(records);
    if (code == kNoError) {
      std::vector<NetResource> rest = ReadAllRecords(*enumeration);
      records.insert(records.end(), std::make_move_iterator(rest.begin()), std::make_move_iterator(rest.end()));
    } else if (code == kErrorNoMoreItems) {
      code = kNoError;  // a server without shares
    }
  }
  if (code != kNoError) {
    result.log.push_back(ServerFailureText(code, server));
    return code;
  }
  result.nodes.push_back(BrowseNode{kNoNode, server, kPictureComputer});
  const int parent = static_cast<int>(result.nodes.size()) - 1;
  bool anyShare = false;
  for (const NetResource& record : records) {
    if (!IsKeptResource(record)) continue;
    if (DropsControlName(record, result)) continue;
    // A comment's line break would make the log lie about what the server sent.
    result.log.push_back(ShowControlCharacters(record.LocalName + u"," + record.RemoteName + u"," + record.Comment +
                                               u"," + record.Provider));
    result.nodes.push_back(BrowseNode{parent, record.RemoteName, SharePicture(record)});
    anyShare = true;
  }
  if (!anyShare) result.log.push_back(u"【" + server + u"】共有されているものはありません");
  return kNoError;
}

void ListKnownServers(NetworkProvider& provider, const std::vector<Text>& servers, BrowseResult& result,
                      const WalkControl& control) {
  if (servers.empty()) {
    result.log.push_back(u"ネットワーク探索で何も見つかりませんでした。サーバー名を入力すると、その共有を調べられます");
    control.Progress(result);
    return;
  }
  Text names;
  for (const Text& server : servers) names += (names.empty() ? u"" : u", ") + server;
  result.log.push_back(u"ネットワーク探索で何も見つからなかったため、既知のサーバーを調べます: " + names);
  for (const Text& server : servers) {
    control.Progress(result);
    if (control.Stopped()) {
      result.log.push_back(kWalkStoppedLine);
      break;
    }
    ListServerShares(provider, server, result);
  }
  control.Progress(result);
}

Text ShareName(TextView remote) {
  while (remote.ends_with(u'\\')) remote.remove_suffix(1);
  const size_t slash = remote.rfind(u'\\');
  return Text(slash == TextView::npos ? remote : remote.substr(slash + 1));
}

}  // namespace velloway
