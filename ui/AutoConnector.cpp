#include "ui/AutoConnector.h"

#include <algorithm>

#include "core/ConnectPlan.h"
#include "core/ConnectResult.h"
#include "core/CredentialKeys.h"
#include "core/DriveAssignment.h"
#include "core/SecureWipe.h"
#include "core/SharePath.h"

namespace velloway {

namespace {

constexpr WPARAM kResumeAutomatic = 0x12;  // PBT_APMRESUMEAUTOMATIC
constexpr WPARAM kResumeSuspend = 0x07;    // PBT_APMRESUMESUSPEND

}  // namespace

void AutoConnector::Attach(HWND window) { window_ = window; }

void AutoConnector::WatchAddresses() {
  if (addressWatch_ == nullptr) addressWatch_ = std::make_unique<AddressChangeWatch>(window_, ids_.addressMessage);
}

void AutoConnector::Detach() {
  addressWatch_.reset();
  window_ = nullptr;
}

bool AutoConnector::HandleMessage(UINT message, WPARAM wParam) {
  if (message == WM_TIMER && wParam == ids_.timerId) {
    KillTimer(window_, ids_.timerId);
    Tick();
    return true;
  }
  if (message == ids_.addressMessage) {
    NetworkReturned();
    return true;
  }
  if (message == WM_POWERBROADCAST) {
    if (wParam == kResumeAutomatic || wParam == kResumeSuspend) NetworkReturned();
    return true;
  }
  return false;
}

void AutoConnector::LoadFile(const Text& settingsFolder) {
  filePath_ = settingsFolder + u"\\" + kAutoConnectFileName;
  services_.autos = LoadAutoConnectFile(services_.files, filePath_);
  asRead_ = services_.autos;
}

void AutoConnector::SaveFile() {
  if (!filePath_.empty()) SaveAutoConnectFile(services_.files, filePath_, services_.autos, services_.settings, asRead_);
}

void AutoConnector::Tick() {
  if (window_ == nullptr) return;
  const std::vector<ButtonStatus> statuses = hooks_.statuses();
  const ULONGLONG now = GetTickCount64();
  const ButtonRows buttons = Buttons();
  for (size_t i = 0; i < buttons.Count(); ++i) {
    const ButtonSetting& row = buttons.Row(i);
    if (!buttons.ConnectsByItself(i, services_.autos) || !IsSharePath(row.Folder)) continue;
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

void AutoConnector::NetworkReturned() {
  for (auto& [key, entry] : entries_) {
    if (entry.state == ButtonState::Waiting) entry.due = 0;
  }
  Tick();
}

void AutoConnector::Forget(const ButtonSetting& row) {
  entries_.erase(AutoConnectSet::KeyText(row));
  if (window_ != nullptr) hooks_.statesChanged();
}

void AutoConnector::ButtonsChanged() {
  entries_.clear();
  queue_.clear();
  if (window_ != nullptr) hooks_.statesChanged();
  Tick();
}

void AutoConnector::MarkStates(std::vector<ButtonStatus>& statuses) const {
  const ButtonRows buttons = Buttons();
  for (size_t i = 0; i < statuses.size() && i < buttons.Count(); ++i) {
    if (statuses[i].state != ButtonState::NotConnected) continue;
    const auto found = entries_.find(AutoConnectSet::KeyText(buttons.Row(i)));
    if (found != entries_.end() && found->second.state != ButtonState::NotConnected) {
      statuses[i].state = found->second.state;
    }
  }
}

void AutoConnector::StartNext() {
  while (window_ != nullptr && !queue_.empty() && !services_.worker.Busy()) {
    const size_t index = queue_.front();
    queue_.erase(queue_.begin());
    const ButtonRows buttons = Buttons();
    if (index >= buttons.Count() || !buttons.ConnectsByItself(index, services_.autos)) continue;
    const ButtonSetting& row = buttons.Row(index);
    const Text key = AutoConnectSet::KeyText(row);
    auto job = std::make_shared<ConnectJob>();
    job->button = row.Name;
    job->drive = ConnectDrive(row.Drive);
    job->remote = row.Folder;
    job->user = row.ID;
    // A shared button's password is never kept: with a user name it waits for the user's click.
    if (!buttons.IsShared(index)) job->password = ButtonPassword(row, services_.crypto, services_.credentials);
    job->plan = PlanConnect(job->drive, job->remote, job->user);
    job->diagnose = false;
    // A user name without a password it can send: only the user can say what it is.
    if (job->plan.sendCredentials && job->password.empty()) {
      entries_[key].state = ButtonState::NeedsCheck;
      hooks_.status(u"自動接続【" + row.Name + u"】: パスワードが保存されていないため、接続しませんでした");
      hooks_.statesChanged();
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
  // An attempt that ends after the window was closed shows nothing.
  if (window_ == nullptr) return;
  hooks_.status(u"自動接続【" + job->button + u"】: " + outcome.status);
  if (job->result == kNoError) {
    hooks_.made(job->drive, job->remote);
    hooks_.connected(std::move(job->locals), std::move(job->remotes));
  }
  hooks_.statesChanged();
  StartNext();
  Schedule();
}

void AutoConnector::Schedule() {
  ULONGLONG earliest = 0;
  for (const auto& [key, entry] : entries_) {
    if (entry.state == ButtonState::Waiting && (earliest == 0 || entry.due < earliest)) earliest = entry.due;
  }
  if (earliest == 0 || window_ == nullptr) return;
  WatchAddresses();  // the network may come back before the timer
  const ULONGLONG now = GetTickCount64();
  SetTimer(window_, ids_.timerId, static_cast<UINT>(earliest > now ? earliest - now : 1), nullptr);
}

}  // namespace velloway
