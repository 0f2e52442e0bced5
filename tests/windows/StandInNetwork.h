// What a test writes into the stand-in network before it acts, and reads back afterwards.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "StandInState.h"
#include "core/Text.h"

namespace velloway::testing {

// Builds the stand-in network's state; nothing reaches the provider until Save().
class StandInNetwork {
 public:
  // A share that accepts anyone, or answers result to every connection attempt.
  StandInNetwork& AddShare(const Text& remote, std::uint32_t result = 0);
  // A share that only accepts this account.
  StandInNetwork& AddAccountShare(const Text& remote, const Text& user, const Text& password);
  // An existing connection of the Windows network (local empty: no drive letter), made by user (empty: the
  // signed-in user). A connection to the same server under another user answers 1219, as Windows does.
  StandInNetwork& AddConnection(const Text& local, const Text& remote, const Text& user = u"");
  // A connection of the second provider, which the program must not show.
  StandInNetwork& AddForeignConnection(const Text& local, const Text& remote);
  // Files are open on the connection with this local name (or remote name, without one).
  StandInNetwork& SetOpenFiles(const Text& name);
  StandInNetwork& AddBrowseEntry(const Text& parent, const Text& remote, std::uint32_t type, std::uint32_t displayType,
                                 std::uint32_t usage, const Text& comment = Text());
  // Discovery off, as current Windows has it: the whole network lists nothing; servers opened by name
  // still list their shares.
  StandInNetwork& TurnDiscoveryOff();
  // Listing this server's shares ("\\name") answers result.
  StandInNetwork& AddFailingServer(const Text& server, std::uint32_t result);
  // A server with shares, reachable only by its name: entries below it, none above.
  StandInNetwork& AddServerShares(const Text& server, const std::vector<Text>& diskShares,
                                  const std::vector<Text>& printers = {});
  // Asking for this share or container (connecting it, closing its connection, listing what is below
  // it) takes this long, as a slow or distant server does.
  StandInNetwork& SetDelay(const Text& name, std::uint32_t milliseconds);
  // A workgroup with a server ("ファイルサーバー") holding the disk share 経理 and a printer ("2階").
  StandInNetwork& AddUsualNeighbourhood();
  // Writes the state for the provider; the connections' drive letters become drives of the prefix.
  void Save() const;

  struct Connection {
    Text Local;
    Text Remote;
    bool operator==(const Connection&) const = default;
  };
  struct Attempt {
    std::optional<Text> Local;
    Text Remote;
    std::optional<Text> User;
    std::optional<Text> Password;
    std::uint32_t Flags = 0;  // as mpr passed them on: 0 for a connection that is not remembered
    bool operator==(const Attempt&) const = default;
  };
  struct Cancel {
    Text Name;
    bool Force = false;
    bool operator==(const Cancel&) const = default;
  };

  // Read back from the provider's file: the Windows network's connections as it now holds them.
  static std::vector<Connection> CurrentConnections();
  // The user the connection to this remote name was made with (empty: the signed-in user); none: not connected.
  static std::optional<Text> UserOf(const Text& remote);
  // Every connection attempt since the network was saved, oldest first.
  static std::vector<Attempt> Attempts();
  static std::optional<Attempt> LastAttempt();
  static std::optional<Cancel> LastCancel();
  // Removes the state file and the drives of its connections: no network at all for whatever runs
  // next in the prefix.
  static void Clear();

 private:
  static void UnmapDrives();
  StandInNetwork& Add(standin::Owner owner, const Text& local, const Text& remote);
  standin::State state_;
};

}  // namespace velloway::testing
