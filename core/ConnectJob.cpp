// The network part of a connect or a close, run on the worker, and what its result means.
#include "core/ConnectJob.h"

#include "core/ConnectionEnumeration.h"
#include "core/DriveAssignment.h"
#include "core/KnownServers.h"
#include "core/SecureWipe.h"
#include "core/SharePath.h"

namespace velloway {

namespace {

bool SameServer(const Text& a, const Text& b) {
  const std::optional<Text> serverA = ServerOfPath(a);
  const std::optional<Text> serverB = ServerOfPath(b);
  return serverA && serverB && SameResourceName(*serverA, *serverB);
}

}  // namespace

ConnectJob::~ConnectJob() {
  WipeString(password);
  WipeString(typedPassword);
  WipeString(retryPassword);
}

bool ConnectJob::OffersRetry() const { return result == kErrorSessionCredentialConflict && !retry && !held.empty(); }

std::shared_ptr<ConnectJob> ConnectJob::Retry() {
  auto again = std::make_shared<ConnectJob>();
  again->button = button;
  again->drive = drive;
  again->remote = remote;
  again->user = user;
  again->password = retryPassword;
  WipeString(retryPassword);
  again->plan = plan;
  again->retry = true;
  return again;
}

Text SessionConflictQuestion(const Text& remote, const std::vector<HeldConnection>& held, const Text& buttonUser) {
  const Text server = ServerOfPath(remote).value_or(remote);
  auto named = [&](const HeldConnection& connection) {
    return connection.user && !connection.user->empty() && !SameResourceName(*connection.user, buttonUser)
               ? u"（" + *connection.user + u"）"
               : Text();
  };
  const Text ask = u"接続を閉じて、このボタンのユーザーで接続し直しますか？";
  if (held.size() == 1) return u"【" + server + u"】には別のユーザー" + named(held[0]) + u"で接続済みです。その" + ask;
  Text question = u"【" + server + u"】には別のユーザーで接続済みです。次の" + ask;
  for (const HeldConnection& connection : held) {
    question += u"\r\n・" + (connection.name == connection.remote ? Text() : connection.name + u" ") +
                connection.remote + named(connection);
  }
  return question;
}

bool ConnectJob::AlreadyThere() const {
  return result == kErrorAlreadyAssigned || result == kErrorSessionCredentialConflict;
}

void ConnectJob::Run(NetworkProvider& network, const FolderProbe& folders, const ReachProbe& probe) {
  const WipeOnExit wipePassword(password);
  const bool send = plan.sendCredentials;
  result = network.AddConnection(plan.localName, remote, send ? &user : nullptr, send ? &password : nullptr);
  if (result == kErrorSessionCredentialConflict && !retry) retryPassword = password;
  WipeString(password);
  if (result == kNoError || AlreadyThere()) EnumerateConnections(network, nullptr, locals, remotes);
  if (result == kErrorSessionCredentialConflict && !retry) {
    for (size_t i = 0; i < remotes.size() && i < locals.size(); ++i) {
      if (!SameServer(remotes[i], remote)) continue;
      const Text name = locals[i].empty() ? remotes[i] : locals[i];
      held.push_back(HeldConnection{name, remotes[i], network.ConnectionUser(name)});
    }
  }
  outcome = CheckDriveInUse(ConnectResultText(result, remote), result, drive, remote, locals, remotes);
  if (outcome.open) openIsFolder = folders.IsFolder(plan.openTarget);
  if (diagnose && NeedsReachDiagnosis(result)) {
    if (const std::optional<Text> server = ServerOfPath(remote)) {
      probes = ProbeReach(probe, server->substr(2));
      reach = DiagnoseReach(*probes, *server);
    }
  }
}

ConnectOutcome ConnectJob::Outcome() const {
  if (reach) return ConnectOutcome{reach->finding + u"。" + reach->advice, false};
  // Its connections were closed and the server still says another user holds it: a session of its own
  // (an Explorer window on it, another program) that no list shows.
  if (retry && result == kErrorSessionCredentialConflict) {
    return ConnectOutcome{u"【" + ServerOfPath(remote).value_or(remote) +
                              u"】には、Velloway からは見えない別のユーザーの接続がまだ残っています（そのサーバーを"
                              u"開いているエクスプローラーのウィンドウや、ほかのプログラム）。それらを閉じるか、"
                              u"サインアウトしてから、もう一度押してください",
                          false};
  }
  return outcome.open && !openIsFolder ? NotAFolder(outcome, plan.openTarget) : outcome;
}

void CloseJob::Run(NetworkProvider& network) {
  result = network.CancelConnection(name, force);
  step = AfterCancel(result, name, force);
  if (!step.askForce && step.rebuild) EnumerateConnections(network, nullptr, locals, remotes);
}

}  // namespace velloway
