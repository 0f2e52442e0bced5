// Why a server cannot be reached, from what the probes found: its name, then TCP 445, then 139. One cause and one
// thing to do, in words a user can act on.
#pragma once

#include <cstdint>
#include <optional>

#include "core/Text.h"

namespace velloway {

// What the probes found; a probe that was not made (the name did not resolve) is none.
struct ReachProbes {
  bool nameResolves = false;
  std::optional<bool> port445;  // SMB 2/3 (and SMB1 direct)
  std::optional<bool> port139;  // only SMB1 over NetBIOS
};

enum class ReachCause { NameUnknown, NoAnswer, OnlyOldPort, Answers };

struct ReachDiagnosis {
  ReachCause cause;
  Text finding;  // what was found, naming the server
  Text advice;   // the one thing to do
};

// Whether a connect's result is of the not-found or not-reachable kind, which the probes can explain.
bool NeedsReachDiagnosis(std::uint32_t resultCode);

// server: the "\\name" part of the folder.
ReachDiagnosis DiagnoseReach(const ReachProbes& probes, const Text& server);

}  // namespace velloway
