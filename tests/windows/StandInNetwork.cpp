// The tests' side of the stand-in network's state file.
#include "StandInNetwork.h"

#include <stdexcept>

#include "StandInDrives.h"
#include "platform/WinText.h"

namespace velloway::testing {
namespace {

std::optional<Text> FromOptional(const std::optional<std::wstring>& text) {
  if (!text) return std::nullopt;
  return FromWide(*text);
}

}  // namespace

StandInNetwork& StandInNetwork::AddShare(const Text& remote, std::uint32_t result) {
  state_.Shares.push_back(standin::Share{ToWide(remote), result, L"", L""});
  return *this;
}

StandInNetwork& StandInNetwork::AddAccountShare(const Text& remote, const Text& user, const Text& password) {
  state_.Shares.push_back(standin::Share{ToWide(remote), 0, ToWide(user), ToWide(password)});
  return *this;
}

StandInNetwork& StandInNetwork::AddConnection(const Text& local, const Text& remote, const Text& user) {
  Add(standin::Owner::WindowsNetwork, local, remote);
  state_.Connections.back().User = ToWide(user);
  return *this;
}

StandInNetwork& StandInNetwork::AddForeignConnection(const Text& local, const Text& remote) {
  return Add(standin::Owner::Foreign, local, remote);
}

StandInNetwork& StandInNetwork::Add(standin::Owner owner, const Text& local, const Text& remote) {
  state_.Connections.push_back(standin::Connection{owner, ToWide(local), ToWide(remote), false});
  return *this;
}

StandInNetwork& StandInNetwork::SetOpenFiles(const Text& name) {
  for (standin::Connection& connection : state_.Connections) {
    const std::wstring& key = connection.Local.empty() ? connection.Remote : connection.Local;
    if (standin::SameName(key, ToWide(name))) connection.OpenFiles = true;
  }
  return *this;
}

StandInNetwork& StandInNetwork::AddBrowseEntry(const Text& parent, const Text& remote, std::uint32_t type,
                                               std::uint32_t displayType, std::uint32_t usage, const Text& comment) {
  state_.Browse.push_back(
      standin::BrowseEntry{ToWide(parent), ToWide(remote), type, displayType, usage, ToWide(comment)});
  return *this;
}

StandInNetwork& StandInNetwork::SetDelay(const Text& name, std::uint32_t milliseconds) {
  state_.Delays.push_back(standin::Delay{ToWide(name), milliseconds});
  return *this;
}

StandInNetwork& StandInNetwork::TurnDiscoveryOff() {
  state_.DiscoveryOff = true;
  return *this;
}

StandInNetwork& StandInNetwork::AddFailingServer(const Text& server, std::uint32_t result) {
  state_.FailingServers.push_back(standin::ServerFailure{ToWide(server), result});
  return *this;
}

StandInNetwork& StandInNetwork::AddServerShares(const Text& server, const std::vector<Text>& diskShares,
                                                const std::vector<Text>& printers) {
  for (const Text& share : diskShares) {
    AddBrowseEntry(server, share, RESOURCETYPE_DISK, RESOURCEDISPLAYTYPE_SHARE, RESOURCEUSAGE_CONNECTABLE);
  }
  for (const Text& printer : printers) {
    AddBrowseEntry(server, printer, RESOURCETYPE_PRINT, RESOURCEDISPLAYTYPE_SHARE, RESOURCEUSAGE_CONNECTABLE);
  }
  return *this;
}

StandInNetwork& StandInNetwork::AddUsualNeighbourhood() {
  return AddBrowseEntry(u"", u"WORKGROUP", RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_DOMAIN, RESOURCEUSAGE_CONTAINER)
      .AddBrowseEntry(u"WORKGROUP", u"\\\\SRV", RESOURCETYPE_ANY, RESOURCEDISPLAYTYPE_SERVER, RESOURCEUSAGE_CONTAINER,
                      u"ファイルサーバー")
      .AddBrowseEntry(u"\\\\SRV", u"\\\\SRV\\経理", RESOURCETYPE_DISK, RESOURCEDISPLAYTYPE_SHARE,
                      RESOURCEUSAGE_CONNECTABLE)
      .AddBrowseEntry(u"\\\\SRV", u"\\\\SRV\\printer", RESOURCETYPE_PRINT, RESOURCEDISPLAYTYPE_SHARE,
                      RESOURCEUSAGE_CONNECTABLE, u"2階");
}

void StandInNetwork::Save() const {
  UnmapDrives();
  if (!standin::SaveState(state_)) throw std::runtime_error("cannot write the stand-in network's state file");
  // Each share is a folder, as a file server's share is one.
  for (const standin::Share& share : state_.Shares) standin::MakeShareFolder(share.Remote);
  for (const standin::Connection& connection : state_.Connections) standin::MakeShareFolder(connection.Remote);
  for (const standin::Connection& connection : state_.Connections) {
    if (!standin::MapDrive(connection.Local, connection.Remote)) {
      throw std::runtime_error("the mount manager refused the stand-in network's drive");
    }
  }
}

void StandInNetwork::UnmapDrives() {
  for (const standin::Connection& connection : standin::LoadState().Connections) standin::UnmapDrive(connection.Local);
}

std::vector<StandInNetwork::Connection> StandInNetwork::CurrentConnections() {
  std::vector<Connection> connections;
  for (const standin::Connection& connection : standin::LoadState().Connections) {
    if (connection.Provider == standin::Owner::WindowsNetwork) {
      connections.push_back(Connection{FromWide(connection.Local), FromWide(connection.Remote)});
    }
  }
  return connections;
}

std::optional<Text> StandInNetwork::UserOf(const Text& remote) {
  for (const standin::Connection& connection : standin::LoadState().Connections) {
    if (standin::SameName(connection.Remote, ToWide(remote))) return FromWide(connection.User);
  }
  return std::nullopt;
}

std::vector<StandInNetwork::Attempt> StandInNetwork::Attempts() {
  std::vector<Attempt> attempts;
  for (const standin::ConnectAttempt& attempt : standin::LoadState().Attempts) {
    attempts.push_back(Attempt{FromOptional(attempt.Local), FromWide(attempt.Remote), FromOptional(attempt.User),
                               FromOptional(attempt.Password), attempt.Flags});
  }
  return attempts;
}

std::optional<StandInNetwork::Attempt> StandInNetwork::LastAttempt() {
  const std::vector<Attempt> attempts = Attempts();
  if (attempts.empty()) return std::nullopt;
  return attempts.back();
}

std::optional<StandInNetwork::Cancel> StandInNetwork::LastCancel() {
  const auto cancel = standin::LoadState().LastCancel;
  if (!cancel) return std::nullopt;
  return Cancel{FromWide(cancel->Name), cancel->Force};
}

void StandInNetwork::Clear() {
  UnmapDrives();
  DeleteFileW(standin::StateFilePath().c_str());
}

}  // namespace velloway::testing
