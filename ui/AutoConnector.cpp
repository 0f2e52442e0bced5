#include "ui/AutoConnector.h"

#include <algorithm>

#include "core/ConnectPlan.h"
#include "core/ConnectResult.h"
#include "core/CredentialKeys.h"
#include "core/DriveAssignment.h"
#include "core/SecureWipe.h"
#include "core/SharePath.h"

namespace velloway {

void AutoConnector::Tick(const std::vector<ButtonStatus>& statuses) {
  const ULONGLONG now = GetTickCount64();
  const SettingsList& settings = services_.settings;
  for (size_t i = 0; i < settings.Count(); ++i) {
    const ButtonSetting& row = settings.Row(i);
    if (!services_.autos.Contains(row) || !IsSharePath(row.Folder)) continue;
    const Text key = AutoConnectSet::KeyText(row);
    if (i < statuses.size() && statuses[i].state == ButtonState::Connected) {
      entries_.erase(key);
      continue;
    }
    const Entry& entry = entries_[key];
    if (entry.state == ButtonState::NeedsCheck || entry.due > now) continue;
    if (std::find(queue_.begin(), queue_.end(), i) == queue_.end()) queue_.push_back(i);
  }
  StartNext();
  Schedule();
}

void AutoConnector::NetworkReturned(const std::vector<ButtonStatus>& statuses) {
  for (auto& [key, entry] : entries_) {
    if (entry.state == ButtonState::Waiting) entry.due = 0;
  }
  Tick(statuses);
}

void AutoConnector::Forget(const ButtonSetting& row) {
  entries_.erase(AutoConnectSet::KeyText(row));
  if (hooks_.statesChanged) hooks_.statesChanged();
}

void AutoConnector::ForgetAll() {
  entries_.clear();
  queue_.clear();
}

std::optional<ButtonState> AutoConnector::StateOf(const ButtonSetting& row) const {
  const auto found = entries_.find(AutoConnectSet::KeyText(row));
  if (found == entries_.end() || found->second.state == ButtonState::NotConnected) return std::nullopt;
  return found->second.state;
}

void AutoConnector::StartNext() {
  while (!queue_.empty() && !services_.worker.Busy()) {
    const size_t index = queue_.front();
    queue_.erase(queue_.begin());
    if (index >= services_.settings.Count()) continue;
    const ButtonSetting& row = services_.settings.Row(index);
    if (!services_.autos.Contains(row)) continue;
    const Text key = AutoConnectSet::KeyText(row);
    auto job = std::make_shared<ConnectJob>();
    job->button = row.Name;
    job->drive = ConnectDrive(row.Drive);
    job->remote = row.Folder;
    job->user = row.ID;
    job->password = ButtonPassword(row, services_.crypto, services_.credentials);
    job->plan = PlanConnect(job->drive, job->remote, job->user);
    job->diagnose = false;
    // A user name without a password it can send: only the user can say what it is.
    if (job->plan.sendCredentials && job->password.empty()) {
      entries_[key].state = ButtonState::NeedsCheck;
      if (hooks_.status)
        hooks_.status(u"自動接続【" + row.Name + u"】: パスワードが保存されていないため、接続しませんでした");
      if (hooks_.statesChanged) hooks_.statesChanged();
      continue;
    }
    NetworkProvider& network = services_.network;
    const FolderProbe& folders = services_.folders;
    const ReachProbe& reach = services_.reach;
    services_.worker.Start([job, &network, &folders, &reach] { job->Run(network, folders, reach); },
                           [this, job, key] { Finished(job, key); });
  }
}

void AutoConnector::Finished(const std::shared_ptr<ConnectJob>& job, const Text& key) {
  const ConnectOutcome outcome = job->Outcome();
  // 85 counts as connected only when the letter holds this share (the outcome opens it then).
  const AutoNext next =
      job->result == kErrorAlreadyAssigned && !outcome.open ? AutoNext::Stop : AfterAutoAttempt(job->result);
  Entry& entry = entries_[key];
  switch (next) {
    case AutoNext::Connected: entries_.erase(key); break;
    case AutoNext::Retry:
      entry.state = ButtonState::Waiting;
      ++entry.failures;
      entry.due = GetTickCount64() + 1000ULL * RetryDelaySeconds(entry.failures);
      break;
    case AutoNext::Stop: entry.state = ButtonState::NeedsCheck; break;
  }
  if (hooks_.status) hooks_.status(u"自動接続【" + job->button + u"】: " + outcome.status);
  if (job->result == kNoError && hooks_.connected) hooks_.connected(std::move(job->locals), std::move(job->remotes));
  if (hooks_.statesChanged) hooks_.statesChanged();
  StartNext();
  Schedule();
}

void AutoConnector::Schedule() {
  ULONGLONG earliest = 0;
  for (const auto& [key, entry] : entries_) {
    if (entry.state == ButtonState::Waiting && (earliest == 0 || entry.due < earliest)) earliest = entry.due;
  }
  if (earliest == 0 || !hooks_.wakeIn) return;
  const ULONGLONG now = GetTickCount64();
  hooks_.wakeIn(static_cast<UINT>(earliest > now ? earliest - now : 1));
}

}  // namespace velloway
