#include "core/ConnectJob.h"

#include "core/ConnectionEnumeration.h"
#include "core/DriveAssignment.h"
#include "core/KnownServers.h"
#include "core/SecureWipe.h"
#include "core/SharePath.h"

namespace velloway {

ConnectJob::~ConnectJob() {
  WipeString(password);
  WipeString(typedPassword);
}

bool ConnectJob::AlreadyThere() const {
  return result == kErrorAlreadyAssigned || result == kErrorSessionCredentialConflict;
}

void ConnectJob::Run(NetworkProvider& network, const FolderProbe& folders, const ReachProbe& probe) {
  const WipeOnExit wipePassword(password);
  const bool send = plan.sendCredentials;
  result = network.AddConnection(plan.localName, remote, send ? &user : nullptr, send ? &password : nullptr);
  WipeString(password);
  if (result == kNoError || AlreadyThere()) EnumerateConnections(network, nullptr, locals, remotes);
  outcome = CheckDriveInUse(ConnectResultText(result, remote), result, drive, remote, locals, remotes);
  if (outcome.open) openIsFolder = folders.IsFolder(plan.openTarget);
  if (NeedsReachDiagnosis(result)) {
    if (const std::optional<Text> server = ServerOfPath(remote)) {
      reach = DiagnoseReach(ProbeReach(probe, server->substr(2)), *server);
    }
  }
}

ConnectOutcome ConnectJob::Outcome() const {
  if (reach) return ConnectOutcome{reach->finding + u"。" + reach->advice, false};
  return outcome.open && !openIsFolder ? NotAFolder(outcome, plan.openTarget) : outcome;
}

void CloseJob::Run(NetworkProvider& network) {
  step = AfterCancel(network.CancelConnection(name, force), name, force);
  if (!step.askForce && step.rebuild) EnumerateConnections(network, nullptr, locals, remotes);
}

}  // namespace velloway
