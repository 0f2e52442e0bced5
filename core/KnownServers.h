// Servers the user already knows (from the buttons' folders, the current connections or typed in), and
// the listing of one server's shares, which works where the walk of the whole network finds nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/NetResourceWalk.h"
#include "core/NetworkProvider.h"

namespace velloway {

// The server of a UNC path, as "\\server": "\\srv\share\dir" and "\\192.168.1.5\share" give "\\srv" and
// "\\192.168.1.5"; none for anything else (a drive path, "\\?\" and "\\.\" device paths, "\\" alone).
std::optional<Text> ServerOfPath(TextView path);

// The servers named in paths, as "\\server", once each (names compare without regard to case), in the
// order of their first mention.
std::vector<Text> ServersOf(const std::vector<Text>& paths);

// What the user typed for a server: "\\name", "name" or an IP address, spaces around it ignored; a
// path "\\name\share" gives its server. An IPv6 address (bracketed or not) becomes the literal name that
// a UNC path takes ("fe80::1" → "\\fe80--1.ipv6-literal.net"). None when nothing usable was typed.
std::optional<Text> ServerFromInput(TextView typed);

// The log line for a server whose shares could not be read: the connect results' text where one fits.
Text ServerFailureText(std::uint32_t resultCode, const Text& server);

// Lists the shares of server ("\\name") as a top-level computer node with its disk shares (picture 1)
// and printers (picture 2) below, logging each entry as the walk does. A server that cannot be read
// adds no node, only its failure line. Returns the provider's result (kNoError when listed).
std::uint32_t ListServerShares(NetworkProvider& provider, const Text& server, BrowseResult& result);

// For a network where discovery found nothing: says so in the log with the servers it asks, then lists
// each server's shares in turn; a server that fails does not stop the others. A stop asked for between
// two servers ends the listing with kWalkStoppedLine.
void ListKnownServers(NetworkProvider& provider, const std::vector<Text>& servers, BrowseResult& result,
                      const WalkControl& control = {});

// The share's own name, the part after the last backslash: "\\srv\経理" gives "経理".
Text ShareName(TextView remote);

}  // namespace velloway
