// The stand-in network's table of shares, connections, browse entries and what it was last asked,
// kept in one file of the Wine prefix that the provider DLL and the tests both read and write.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace velloway::standin {

// Which registered provider a connection belongs to: the Windows network, or a second provider whose
// entries the program must not show.
enum class Owner { WindowsNetwork, Foreign };

inline constexpr wchar_t kWindowsNetworkName[] = L"Microsoft Windows Network";
inline constexpr wchar_t kForeignProviderName[] = L"Web Client Network";

// A share the server offers; a connection attempt answers Result when it is not 0. With a user, the
// share needs that account: no credentials give ERROR_ACCESS_DENIED, wrong ones ERROR_INVALID_PASSWORD.
struct Share {
  std::wstring Remote;
  DWORD Result = 0;
  std::wstring User;
  std::wstring Password;
};

struct Connection {
  Owner Provider = Owner::WindowsNetwork;
  std::wstring Local;  // empty without a drive letter
  std::wstring Remote;
  bool OpenFiles = false;  // cancelling without force answers ERROR_OPEN_FILES
  std::wstring User;       // the user it was made with; empty: the signed-in user
};

// One entry of the browse tree (workgroup, server, share or printer) below Parent ("" = the top of
// the Windows network).
struct BrowseEntry {
  std::wstring Parent;
  std::wstring Remote;
  DWORD Type = RESOURCETYPE_ANY;
  DWORD DisplayType = RESOURCEDISPLAYTYPE_GENERIC;
  DWORD Usage = 0;
  std::wstring Comment;
};

// What the provider received at a connection attempt (absent texts stay absent), with the flags mpr passed on
// (CONNECT_UPDATE_PROFILE among them when the connection was to be remembered).
struct ConnectAttempt {
  std::optional<std::wstring> Local;
  std::wstring Remote;
  std::optional<std::wstring> User;
  std::optional<std::wstring> Password;
  DWORD Flags = 0;
};

struct CancelRequest {
  std::wstring Name;
  bool Force = false;
};

// A server that answers Result when its shares are listed.
struct ServerFailure {
  std::wstring Server;  // "\\name"
  DWORD Result = 0;
};

// A slow server: asking for this share or container (connecting it, closing its connection, listing
// what is below it) takes Milliseconds before the answer.
struct Delay {
  std::wstring Name;
  DWORD Milliseconds = 0;
};

struct State {
  // As current Windows has it: the whole network lists nothing, while each server opened by name
  // still lists its shares.
  bool DiscoveryOff = false;
  std::vector<ServerFailure> FailingServers;
  std::vector<Delay> Delays;
  std::vector<Share> Shares;
  std::vector<Connection> Connections;
  std::vector<BrowseEntry> Browse;
  std::vector<ConnectAttempt> Attempts;  // every connection attempt, oldest first
  std::optional<CancelRequest> LastCancel;
};

// C:\windows\velloway-standin.txt: the same place in every process of the prefix.
std::wstring StateFilePath();

// A missing or unreadable file reads as an empty network.
State LoadState();
bool SaveState(const State& state);

bool SameName(const std::wstring& left, const std::wstring& right);

// How long asking for name takes (0 for most names).
DWORD DelayOf(const State& state, const std::wstring& name);

}  // namespace velloway::standin
