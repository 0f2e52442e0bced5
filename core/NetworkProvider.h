// The network provider operations the program needs, as plain values: Windows implements them over
// the WNet functions; tests can stand in for a network.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/Text.h"

namespace velloway {

inline constexpr std::uint32_t kNoError = 0;
inline constexpr std::uint32_t kErrorMoreData = 234;
inline constexpr std::uint32_t kErrorNoMoreItems = 259;
inline constexpr std::uint32_t kErrorOpenFiles = 2401;

inline constexpr std::uint32_t kResourceConnected = 1;
inline constexpr std::uint32_t kResourceGlobalNet = 2;
inline constexpr std::uint32_t kResourceTypeAny = 0;
inline constexpr std::uint32_t kResourceTypeDisk = 1;
inline constexpr std::uint32_t kResourceTypePrint = 2;
inline constexpr std::uint32_t kResourceUsageContainer = 2;

// The only provider whose entries are kept.
inline constexpr char16_t kWindowsNetwork[] = u"Microsoft Windows Network";

// One enumerated record, copied out of the provider's buffer (absent texts as empty).
struct NetResource {
  std::uint32_t Scope = 0;
  std::uint32_t Type = 0;
  std::uint32_t DisplayType = 0;
  std::uint32_t Usage = 0;
  Text LocalName;
  Text RemoteName;
  Text Comment;
  Text Provider;

  bool IsContainer() const noexcept { return (Usage & kResourceUsageContainer) != 0; }
  bool operator==(const NetResource&) const = default;
};

// An open enumeration; closed when destroyed.
class ResourceEnumeration {
 public:
  virtual ~ResourceEnumeration() = default;
  // Reads the next batch into records (replacing their content); kErrorNoMoreItems at the end.
  virtual std::uint32_t Next(std::vector<NetResource>& records) = 0;
};

class NetworkProvider {
 public:
  virtual ~NetworkProvider() = default;
  // Opens an enumeration below container (the top level when none); kNoError and the enumeration, or a code.
  virtual std::uint32_t OpenEnum(std::uint32_t scope, std::uint32_t type, std::uint32_t usage,
                                 const NetResource* container, std::unique_ptr<ResourceEnumeration>& enumeration) = 0;
  // Connects remote, as localName when there is one, with the credentials when a user is given.
  virtual std::uint32_t AddConnection(const std::optional<Text>& localName, const Text& remote, const Text* user,
                                      const Text* password) = 0;
  virtual std::uint32_t CancelConnection(const Text& name, bool force) = 0;
  // The user a connection (by its local name, or its remote name without one) was made with; none when the
  // provider does not say.
  virtual std::optional<Text> ConnectionUser(const Text& name) = 0;
};

// Reads every batch of an enumeration until the provider says there are no more items; a failed read
// ends the level with what was read before it, and so does stopped answering true before a read.
std::vector<NetResource> ReadAllRecords(ResourceEnumeration& enumeration,
                                        const std::function<bool()>& stopped = nullptr);

// True for the records the program keeps: a remote name, and the Windows network as provider.
bool IsKeptResource(const NetResource& record);

// Names of resources and drives compare as Windows compares them: ASCII letters in either case, and a
// trailing backslash changes nothing.
bool SameResourceName(TextView a, TextView b);

// How deep a walk descends at most: real networks are four levels deep (provider, domain, server, share).
inline constexpr int kMostWalkDepth = 16;

// True when a walk must not descend into record: its remote name is already on the path from the top
// (a container that lists itself or an ancestor), or the path is as deep as a walk goes.
bool StopsWalk(const NetResource& record, const std::vector<Text>& path);

}  // namespace velloway
