// A network provider DLL that answers like a Windows file server from the stand-in state file, so the
// tests reach it through the real mpr; also built as a second provider whose connections the program
// must skip.
#include <windows.h>
#include <winnetwk.h>

#include <memory>
#include <string>
#include <vector>

#include "StandInDrives.h"
#include "StandInState.h"

using namespace velloway::standin;

namespace {

// The provider interface's capability indexes and answers (npapi.h declares the entry points without C
// linkage, so it is not included).
constexpr DWORD kCapsSpecVersion = 1;
constexpr DWORD kCapsNetType = 2;
constexpr DWORD kCapsConnection = 6;
constexpr DWORD kCapsEnumeration = 11;
constexpr DWORD kSpecVersion51 = 0x00050001;
constexpr DWORD kNetLanman = 0x00020000;
constexpr DWORD kNetDav = 0x002E0000;
constexpr DWORD kConAddConnection = 0x1;
constexpr DWORD kConCancelConnection = 0x2;
constexpr DWORD kConAddConnection3 = 0x8;
constexpr DWORD kEnumGlobal = 0x1;
constexpr DWORD kEnumLocal = 0x2;

// One source, built twice: the second build serves the second provider (two links to one file would
// load as one module).
constexpr Owner ThisProvider() {
#ifdef VELLOWAY_STANDIN_FOREIGN
  return Owner::Foreign;
#else
  return Owner::WindowsNetwork;
#endif
}

const wchar_t* ProviderName(Owner owner) {
  return owner == Owner::Foreign ? kForeignProviderName : kWindowsNetworkName;
}

std::wstring TextOrEmpty(const wchar_t* text) { return text != nullptr ? std::wstring(text) : std::wstring(); }

// "\\server" of "\\server\share\...".
std::wstring ServerOf(const std::wstring& remote) { return remote.substr(0, remote.find(L'\\', 2)); }

std::optional<std::wstring> OptionalText(const wchar_t* text) {
  if (text == nullptr) return std::nullopt;
  return std::wstring(text);
}

// One record to hand out; texts that are absent stay NULL in the record.
struct Entry {
  DWORD Scope = 0;
  DWORD Type = 0;
  DWORD DisplayType = 0;
  DWORD Usage = 0;
  std::optional<std::wstring> Local;
  std::optional<std::wstring> Remote;
  std::optional<std::wstring> Comment;
  std::optional<std::wstring> Provider;

  DWORD Bytes() const {
    DWORD bytes = sizeof(NETRESOURCEW);
    for (const auto* text : {&Local, &Remote, &Comment, &Provider}) {
      if (*text) bytes += static_cast<DWORD>((**text).size() + 1) * sizeof(wchar_t);
    }
    return bytes;
  }
};

struct Enumeration {
  std::vector<Entry> Entries;
  size_t Next = 0;
};

bool MatchesType(DWORD wanted, DWORD type, DWORD usage) {
  return wanted == RESOURCETYPE_ANY || (type & wanted) != 0 || (usage & RESOURCEUSAGE_CONTAINER) != 0;
}

// "\\name" without a share.
bool IsServerName(const std::wstring& name) {
  return name.size() > 2 && name.compare(0, 2, L"\\\\") == 0 && name.find(L'\\', 2) == std::wstring::npos;
}

// A server is on the network when it has entries below it or is listed itself.
bool IsKnownServer(const State& state, const std::wstring& server) {
  for (const BrowseEntry& entry : state.Browse) {
    if (SameName(entry.Parent, server) || SameName(entry.Remote, server)) return true;
  }
  return false;
}

}  // namespace

extern "C" {

DWORD APIENTRY NPGetCaps(DWORD index) {
  switch (index) {
    case kCapsSpecVersion: return kSpecVersion51;
    case kCapsNetType: return ThisProvider() == Owner::Foreign ? kNetDav : kNetLanman;
    case kCapsConnection: return kConAddConnection | kConAddConnection3 | kConCancelConnection;
    case kCapsEnumeration: return kEnumGlobal | kEnumLocal;
    default: return 0;
  }
}

DWORD APIENTRY NPAddConnection3(HWND, LPNETRESOURCEW resource, LPWSTR password, LPWSTR user, DWORD flags) {
  if (resource == nullptr || resource->lpRemoteName == nullptr) return ERROR_INVALID_PARAMETER;
  // mpr asks every provider in turn until one connects; the second provider never knows a share.
  const Owner owner = ThisProvider();
  if (owner == Owner::Foreign) return ERROR_BAD_NET_NAME;

  const std::wstring remote = resource->lpRemoteName;
  const std::wstring local = TextOrEmpty(resource->lpLocalName);
  // Read after the wait: a test may change the network while a slow server keeps the caller waiting.
  Sleep(DelayOf(LoadState(), remote));
  State state = LoadState();
  state.Attempts.push_back(
      ConnectAttempt{OptionalText(resource->lpLocalName), remote, OptionalText(user), OptionalText(password), flags});

  DWORD result = ERROR_BAD_NET_NAME;
  for (const Share& share : state.Shares) {
    if (!SameName(share.Remote, remote)) continue;
    if (share.Result != NO_ERROR) {
      result = share.Result;
    } else if (!share.User.empty() && user == nullptr) {
      result = ERROR_ACCESS_DENIED;
    } else if (!share.User.empty() && (!SameName(share.User, user) || share.Password != TextOrEmpty(password))) {
      result = ERROR_INVALID_PASSWORD;
    } else {
      result = NO_ERROR;
    }
    break;
  }
  // As Windows: one server, one user. A connection there under another user refuses this one.
  if (result == NO_ERROR) {
    for (const Connection& connection : state.Connections) {
      if (SameName(ServerOf(connection.Remote), ServerOf(remote)) && !SameName(connection.User, TextOrEmpty(user))) {
        result = ERROR_SESSION_CREDENTIAL_CONFLICT;
        break;
      }
    }
  }
  if (result == NO_ERROR && !local.empty()) {
    if (IsLocalDrive(local)) result = ERROR_ALREADY_ASSIGNED;
    for (const Connection& connection : state.Connections) {
      if (SameName(connection.Local, local)) {
        result = ERROR_ALREADY_ASSIGNED;
        break;
      }
    }
    // The letter becomes a drive of the prefix, as the redirector makes it on Windows.
    if (result == NO_ERROR && !MapDrive(local, remote)) result = ERROR_BAD_DEVICE;
  }
  if (result == NO_ERROR) state.Connections.push_back(Connection{owner, local, remote, false, TextOrEmpty(user)});
  SaveState(state);
  return result;
}

DWORD APIENTRY NPAddConnection(LPNETRESOURCEW resource, LPWSTR password, LPWSTR user) {
  return NPAddConnection3(nullptr, resource, password, user, 0);
}

// A drive letter names the connection on that letter; any other name a connection without one.
DWORD APIENTRY NPCancelConnection(LPWSTR name, BOOL force) {
  if (name == nullptr) return ERROR_NOT_CONNECTED;
  const Owner owner = ThisProvider();
  State state = LoadState();
  const std::wstring wanted = name;
  if (owner == Owner::WindowsNetwork) state.LastCancel = CancelRequest{wanted, force != FALSE};

  DWORD result = ERROR_NOT_CONNECTED;
  for (auto it = state.Connections.begin(); it != state.Connections.end(); ++it) {
    if (it->Provider != owner) continue;
    const bool named = it->Local.empty() ? SameName(it->Remote, wanted) : SameName(it->Local, wanted);
    if (!named) continue;
    Sleep(DelayOf(state, it->Remote));
    if (it->OpenFiles && !force) {
      result = ERROR_OPEN_FILES;
    } else {
      UnmapDrive(it->Local);
      state.Connections.erase(it);
      result = NO_ERROR;
    }
    break;
  }
  SaveState(state);
  return result;
}

DWORD APIENTRY NPOpenEnum(DWORD scope, DWORD type, DWORD, LPNETRESOURCEW container, LPHANDLE handle) {
  if (handle == nullptr) return ERROR_INVALID_PARAMETER;
  const Owner owner = ThisProvider();
  const std::wstring providerName = ProviderName(owner);
  const State state = LoadState();
  auto enumeration = std::make_unique<Enumeration>();

  if (scope == RESOURCE_CONNECTED) {
    for (const Connection& connection : state.Connections) {
      if (connection.Provider != owner || !MatchesType(type, RESOURCETYPE_DISK, 0)) continue;
      // Never NULL texts here: mpr copies local, remote and provider names with strlen, and it copies
      // the comment pointer without its text, so the comment stays NULL.
      enumeration->Entries.push_back(Entry{RESOURCE_CONNECTED, RESOURCETYPE_DISK, RESOURCEDISPLAYTYPE_SHARE,
                                           RESOURCEUSAGE_CONNECTABLE, connection.Local, connection.Remote, std::nullopt,
                                           providerName});
    }
  } else if (scope == RESOURCE_GLOBALNET) {
    // mpr makes the provider's own top entry; below it the provider is asked with no remote name.
    const std::wstring parent =
        container != nullptr && container->lpRemoteName != nullptr ? container->lpRemoteName : L"";
    const bool server = IsServerName(parent);
    Sleep(DelayOf(state, parent));
    if (owner == Owner::WindowsNetwork && server) {
      // A server asked by name answers for itself, discovery or not: its own failure, or "not found"
      // when the network has no such server.
      for (const ServerFailure& failure : state.FailingServers) {
        if (SameName(failure.Server, parent)) return failure.Result;
      }
      if (!IsKnownServer(state, parent)) return ERROR_BAD_NETPATH;
    }
    if (owner == Owner::WindowsNetwork && (server || !state.DiscoveryOff)) {
      for (const BrowseEntry& entry : state.Browse) {
        if (!SameName(entry.Parent, parent) || !MatchesType(type, entry.Type, entry.Usage)) continue;
        std::optional<std::wstring> comment;
        if (!entry.Comment.empty()) comment = entry.Comment;
        enumeration->Entries.push_back(Entry{RESOURCE_GLOBALNET, entry.Type, entry.DisplayType, entry.Usage,
                                             std::nullopt, entry.Remote, comment, providerName});
      }
    }
  } else {
    return WN_NOT_SUPPORTED;
  }
  *handle = enumeration.release();
  return WN_SUCCESS;
}

// Records from the front of the buffer, their texts from its end, as many as fit and were asked for.
DWORD APIENTRY NPEnumResource(HANDLE handle, LPDWORD count, LPVOID buffer, LPDWORD bufferSize) {
  if (handle == nullptr || count == nullptr || buffer == nullptr || bufferSize == nullptr) return WN_BAD_POINTER;
  auto& enumeration = *static_cast<Enumeration*>(handle);
  if (enumeration.Next >= enumeration.Entries.size()) {
    *count = 0;
    return WN_NO_MORE_ENTRIES;
  }
  const DWORD wanted = *count;
  auto* records = static_cast<NETRESOURCEW*>(buffer);
  auto* textEnd = reinterpret_cast<wchar_t*>(static_cast<unsigned char*>(buffer) + *bufferSize);
  DWORD left = *bufferSize;
  DWORD written = 0;
  while (enumeration.Next < enumeration.Entries.size() && (wanted == static_cast<DWORD>(-1) || written < wanted)) {
    const Entry& entry = enumeration.Entries[enumeration.Next];
    if (entry.Bytes() > left) break;
    left -= entry.Bytes();
    auto place = [&textEnd](const std::optional<std::wstring>& text) -> wchar_t* {
      if (!text) return nullptr;
      textEnd -= text->size() + 1;
      text->copy(textEnd, text->size());
      textEnd[text->size()] = L'\0';
      return textEnd;
    };
    NETRESOURCEW& record = records[written];
    record.dwScope = entry.Scope;
    record.dwType = entry.Type;
    record.dwDisplayType = entry.DisplayType;
    record.dwUsage = entry.Usage;
    record.lpLocalName = place(entry.Local);
    record.lpRemoteName = place(entry.Remote);
    record.lpComment = place(entry.Comment);
    record.lpProvider = place(entry.Provider);
    ++written;
    ++enumeration.Next;
  }
  if (written == 0) {
    *count = 0;
    *bufferSize = enumeration.Entries[enumeration.Next].Bytes();
    return WN_MORE_DATA;
  }
  *count = written;
  return WN_SUCCESS;
}

DWORD APIENTRY NPCloseEnum(HANDLE handle) {
  delete static_cast<Enumeration*>(handle);
  return WN_SUCCESS;
}

}  // extern "C"
