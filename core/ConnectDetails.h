// What a failed connect was and what was found, as text a user can hand to IT. Never a password.
#pragma once

#include <cstdint>
#include <optional>

#include "core/ReachDiagnosis.h"
#include "core/Text.h"

namespace velloway {

struct ConnectDetails {
  Text when;    // the local date and time of the attempt
  Text button;  // the button's name
  Text folder;  // as connected (the dialog may have changed it)
  Text drive;   // the letter, or empty
  Text user;    // as connected; empty: the signed-in user
  std::uint32_t code = 0;
  Text status;                        // what the status line said
  std::optional<ReachProbes> probes;  // the diagnosis steps, when they were made
  Text versions;                      // the program's and Windows' versions
};

// Plain lines, one fact each, in Japanese.
Text DetailsText(const ConnectDetails& details);

}  // namespace velloway
