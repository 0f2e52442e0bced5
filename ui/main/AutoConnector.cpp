// Auto-connect's attempts, retries and holds, driven by the main window's timers and messages.
#include "ui/main/AutoConnector.h"

#include <algorithm>

#include "core/ConnectPlan.h"
#include "core/ConnectResult.h"
#include "core/CredentialKeys.h"
#include "core/DriveAssignment.h"
#include "core/RuntimeError.h"
#include "core/SecureWipe.h"
#include "core/SharePath.h"

namespace velloway {

namespace {

constexpr WPARAM kResumeAutomatic = 0x12;  // PBT_APMRESUMEAUTOMATIC
constexpr WPARAM kResumeSuspend = 0x07;    // PBT_APMRESUMESUSPEND
// A resume or an address change comes in bursts (every adapter, every address, a flapping link): one pass once
// they have been quiet this long.
constexpr UINT kSettleMilliseconds = 3000;

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
  if (message == WM_TIMER && wParam == ids_.settleTimerId) {
    KillTimer(window_, ids_.settleTimerId);
    NetworkReturned();
    return true;
  }
  // Each one starts the wait anew: the pass runs after the last of them.
  const bool resumed = message == WM_POWERBROADCAST && (wParam == kResumeAutomatic || wParam == kResumeSuspend);
  if (message == ids_.addressMessage || resumed) {
    if (window_ != nullptr) SetTimer(window_, ids_.settleTimerId, kSettleMilliseconds, nullptr);
    return true;
  }
  return message == WM_POWERBROADCAST;
}

void AutoConnector::LoadFile(const Text& settingsFolder) {
  filePath_ = settingsFolder + u"\\" + kAutoConnectFileName;
  refusalsPath_ = settingsFolder + u"\\" + kAutoRefusalsFileName;
  services_.autos = LoadAutoConnectFile(services_.files, filePath_);
  asRead_ = services_.autos;
  LoadAutoRefusals(services_.files, refusalsPath_, services_.holds);
}

void AutoConnector::SaveFile() {
  if (!filePath_.empty()) SaveAutoConnectFile(services_.files, filePath_, services_.autos, services_.settings, asRead_);
  SaveRefusals();
}

void AutoConnector::SaveRefusals() {
  if (refusalsPath_.empty()) return;
  try {
    SaveAutoRefusals(services_.files, refusalsPath_, services_.holds);
  } catch (const RuntimeError&) {
    // Kept for this run all the same; the next change writes the file again.
  }
}

bool AutoConnector::Refused(const ButtonSetting& row, bool shared) const {
  if (!services_.holds.MayBeRefused(row)) return false;
  Text password = shared ? Text() : ButtonPassword(row, services_.crypto, services_.credentials);
  const WipeOnExit wipe(password);
  return services_.holds.Refused(row, password);
}

void AutoConnector::Tick() {
  if (window_ == nullptr) return;
  const std::vector<ButtonStatus> statuses = hooks_.statuses();
  const ULONGLONG now = GetTickCount64();
  const ButtonRows buttons = Buttons();
  bool marksChanged = false;
  for (size_t i = 0; i < buttons.Count(); ++i) {
    const ButtonSetting& row = buttons.Row(i);
    if (!buttons.ConnectsByItself(i, services_.autos) || !IsSharePath(row.Folder)) continue;
    const Text key = AutoConnectSet::KeyText(row);
    if (i < statuses.size() && statuses[i].state == ButtonState::Connected) {
      entries_.erase(key);
      continue;
    }
    if (services_.holds.Held(row)) continue;
    Entry& entry = entries_[key];
    if (entry.state == ButtonState::NeedsCheck || entry.running) continue;
    // A refusal kept from an earlier visit of the editor, an earlier start or an earlier sign-in.
    if (Refused(row, buttons.IsShared(i))) {
      entry.state = ButtonState::NeedsCheck;
      marksChanged = true;
      continue;
    }
    if (entry.due > now) continue;
    if (std::find(queue_.begin(), queue_.end(), i) == queue_.end()) queue_.push_back(i);
  }
  if (marksChanged) hooks_.statesChanged();
  StartNext();
  Schedule();
}

void AutoConnector::NetworkReturned() {
  const ULONGLONG now = GetTickCount64();
  const ULONGLONG spacing = 1000ULL * RetryDelaySeconds(1);
  for (auto& [key, entry] : entries_) {
    if (entry.state != ButtonState::Waiting) continue;
    entry.due = std::min(entry.due, std::max(now, entry.lastAttempt + spacing));
  }
  Tick();
}

void AutoConnector::ClickEnded(const ButtonSetting& row, std::uint32_t result, bool shared, bool asKept) {
  entries_.erase(AutoConnectSet::KeyText(row));
  bool changed = services_.holds.UserTookOver(row);
  // Another user on the server (the click goes on to its question) and a taken letter say nothing of what was
  // sent.
  const bool refusal = result != kErrorSessionCredentialConflict && result != kErrorAlreadyAssigned &&
                       AfterAutoAttempt(result) == AutoNext::Stop;
  const ButtonRows buttons = Buttons();
  bool connectsByItself = false;
  for (size_t i = 0; i < buttons.Count() && !connectsByItself; ++i) {
    connectsByItself = buttons.Row(i) == row && buttons.ConnectsByItself(i, services_.autos);
  }
  if (asKept && refusal && connectsByItself) {
    Text password = shared ? Text() : ButtonPassword(row, services_.crypto, services_.credentials);
    const WipeOnExit wipe(password);
    services_.holds.Refuse(row, PasswordFingerprint(password));
    entries_[AutoConnectSet::KeyText(row)].state = ButtonState::NeedsCheck;
    changed = true;
  }
  if (changed) SaveRefusals();
  if (window_ != nullptr) hooks_.statesChanged();
}

std::vector<ButtonSetting> AutoConnector::HoldBack(const std::vector<size_t>& indices) {
  std::vector<ButtonSetting> held;
  const ButtonRows buttons = Buttons();
  for (const size_t index : indices) {
    if (index >= buttons.Count() || !buttons.ConnectsByItself(index, services_.autos)) continue;
    const ButtonSetting& row = buttons.Row(index);
    if (services_.holds.Held(row)) continue;
    services_.holds.Hold(row);
    entries_.erase(AutoConnectSet::KeyText(row));
    held.push_back(row);
  }
  std::erase_if(queue_,
                [&](size_t index) { return index < buttons.Count() && services_.holds.Held(buttons.Row(index)); });
  return held;
}

void AutoConnector::Release(const std::vector<ButtonSetting>& rows) {
  for (const ButtonSetting& row : rows) services_.holds.Release(row);
  if (!rows.empty()) Tick();
}

void AutoConnector::ButtonsChanged() {
  queue_.clear();
  // Refusals are asked again of the kept ones, which an edit of Folder, ID or password has made obsolete; a
  // button that waits for its server keeps its time, so that a change never hurries an attempt.
  std::erase_if(entries_, [](const auto& entry) { return entry.second.state == ButtonState::NeedsCheck; });
  if (window_ != nullptr) hooks_.statesChanged();
  Tick();
}

void AutoConnector::MarkStates(std::vector<ButtonStatus>& statuses) const {
  const ButtonRows buttons = Buttons();
  for (size_t i = 0; i < statuses.size() && i < buttons.Count(); ++i) {
    if (statuses[i].state != ButtonState::NotConnected) continue;
    if (services_.holds.Held(buttons.Row(i))) continue;  // the user's close: shown as not connected
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
    if (services_.holds.Held(row)) continue;
    const Text key = AutoConnectSet::KeyText(row);
    // Queued before the connections were read again: connected meanwhile, or by an attempt of its own.
    const std::vector<ButtonStatus> statuses = hooks_.statuses();
    if ((index < statuses.size() && statuses[index].state == ButtonState::Connected) || entries_[key].running) {
      continue;
    }
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
    // The refusal, should there be one, is kept by what was sent, never by the password itself.
    const Text fingerprint = PasswordFingerprint(job->password);
    entries_[key].lastAttempt = GetTickCount64();
    entries_[key].running = true;
    NetworkProvider& network = services_.network;
    const FolderProbe& folders = services_.folders;
    const ReachProbe& reach = services_.reach;
    if (!services_.worker.Start([job, &network, &folders, &reach] { job->Run(network, folders, reach); },
                                [this, job, row, fingerprint] { Finished(job, row, fingerprint); })) {
      // No thread to be had now: tried again at the next pass.
      entries_[key].running = false;
      break;
    }
  }
}

void AutoConnector::Finished(const std::shared_ptr<ConnectJob>& job, const ButtonSetting& row,
                             const Text& fingerprint) {
  const Text key = AutoConnectSet::KeyText(row);
  const ConnectOutcome outcome = job->Outcome();
  // 85 counts as connected only when the letter holds this share (the outcome opens it then).
  const AutoNext next =
      job->result == kErrorAlreadyAssigned && !outcome.open ? AutoNext::Stop : AfterAutoAttempt(job->result);
  Entry& entry = entries_[key];
  entry.running = false;
  switch (next) {
    case AutoNext::Connected: entries_.erase(key); break;
    case AutoNext::Retry:
      entry.state = ButtonState::Waiting;
      ++entry.failures;
      entry.due = GetTickCount64() + 1000ULL * RetryDelaySeconds(entry.failures);
      break;
    case AutoNext::Stop:
      entry.state = ButtonState::NeedsCheck;
      services_.holds.Refuse(row, fingerprint);
      SaveRefusals();
      break;
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
