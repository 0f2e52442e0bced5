// A connect or close click's network part: what the window hands to the network worker and what comes back.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "core/ConnectPlan.h"
#include "core/ConnectResult.h"
#include "core/FolderProbe.h"
#include "core/NetworkProvider.h"
#include "core/ReachDiagnosis.h"
#include "core/ReachProbe.h"
#include "core/Text.h"

namespace velloway {

// A connection to the server of a connect that got 1219: another user's, which holds the server.
struct HeldConnection {
  Text name;  // its local name, or its remote name without one: what a close is given
  Text remote;
  std::optional<Text> user;  // the user it was made with, when the provider says
  bool operator==(const HeldConnection&) const = default;
};

// The password is wiped when the call has returned, and again when the job goes, whatever happened between.
struct ConnectJob {
  Text button;  // the button's name
  Text drive;   // as the connection uses it (ConnectDrive), or empty
  Text remote;
  Text user;
  Text password;
  Text typedPassword;  // a password typed into the dialog, kept for the question whether the button keeps it
  ConnectPlan plan;
  std::uint32_t result = kNoError;
  std::vector<Text> locals;  // the connections after the call, when they were read
  std::vector<Text> remotes;
  ConnectOutcome outcome;               // what the result means, once the connections were looked at
  bool openIsFolder = false;            // whether what the outcome would open is a folder
  std::optional<ReachProbes> probes;    // what the probes found, when the result called for them
  std::optional<ReachDiagnosis> reach;  // why the server could not be found or reached, when that was the result
  // After 1219: the connections to the same server. The password is kept for one retry once they are closed.
  std::vector<HeldConnection> held;
  Text retryPassword;
  bool retry = false;    // this job is that retry
  bool diagnose = true;  // whether a server that cannot be reached is probed for why

  ConnectJob() = default;
  ConnectJob(const ConnectJob&) = delete;
  ConnectJob& operator=(const ConnectJob&) = delete;
  ~ConnectJob();

  // On the worker: connects, reads the connections when the call may have changed them or found one there,
  // and decides what the click opens: only the share asked for, and only when it is a folder. A server that
  // could not be found or reached is probed for why.
  void Run(NetworkProvider& network, const FolderProbe& folders, const ReachProbe& probe);
  // Afterwards, on the window's thread: the status text, and whether plan.openTarget is opened. A diagnosis
  // replaces the result's own text: it says what was found and what to do.
  ConnectOutcome Outcome() const;
  // 85 and 1219: nothing was connected by this click; what is there may be another share or another user's.
  bool AlreadyThere() const;
  // Whether to offer closing the held connections and connecting again: 1219, not on a retry, and they are seen.
  bool OffersRetry() const;
  // The retry, with the same drive, folder, user and the kept password.
  std::shared_ptr<ConnectJob> Retry();
};

// The question on 1219: the server, and the other user when the provider names one that differs from the
// button's; with several connections, each of them.
Text SessionConflictQuestion(const Text& remote, const std::vector<HeldConnection>& held, const Text& buttonUser);

// A close click's network part, one call of the cancel (with force false, then maybe again with force true).
struct CloseJob {
  Text name;  // the connection's local name, or its remote name without a drive
  bool force = false;
  CloseStep step;
  std::uint32_t result = kNoError;  // the cancel's result code
  std::vector<Text> locals;         // the connections after the call, when the panel is to be rebuilt
  std::vector<Text> remotes;

  // On the worker.
  void Run(NetworkProvider& network);
};

}  // namespace velloway
