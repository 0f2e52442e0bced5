// The drive letter a connection is made to, and what an answer of "already connected" means for it.
#pragma once

#include <cstdint>
#include <vector>

#include "core/ConnectResult.h"
#include "core/Text.h"

namespace velloway {

inline constexpr std::uint32_t kErrorAlreadyAssigned = 85;
inline constexpr std::uint32_t kErrorSessionCredentialConflict = 1219;

// The drive of a setting as the connection uses it: trimmed, a hand-written colon dropped, and a single
// letter in upper case ("Z:", " z " and "Z" are all Z). Anything else is kept as it is.
Text ConnectDrive(TextView drive);

// For 85 and 1219, nothing was connected by this click: what is there is opened only when it is the share
// asked for. With a drive letter, a letter connected to another share, or in use by something that is no
// network connection at all (85 only), is not opened and the status line says what holds it. Without one,
// 85 opens only when that share is among the connections. 1219 (the server holds a connection under
// another user name) never opens: it would open the share as that other user. Other cases keep `outcome`.
// locals and remotes are the current connections.
ConnectOutcome CheckDriveInUse(const ConnectOutcome& outcome, std::uint32_t resultCode, const Text& drive,
                               const Text& remote, const std::vector<Text>& locals, const std::vector<Text>& remotes);

}  // namespace velloway
