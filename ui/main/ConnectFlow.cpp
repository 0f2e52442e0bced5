// The connect click: its dialog, its worker job, its outcome, and the questions that may follow.
#include "ui/main/ConnectFlow.h"

#include "core/ConnectPlan.h"
#include "core/CredentialKeys.h"
#include "core/DriveAssignment.h"
#include "core/OutcomeLog.h"
#include "core/SecureWipe.h"
#include "core/SettingsFile.h"
#include "core/SharePath.h"
#include "platform/WindowsVersion.h"
#include "ui/UiTexts.h"
#include "ui/dialogs/DetailsDialog.h"
#include "ui/dialogs/U_ConnectionDialog.h"
#include "ui/framework/ErrorReport.h"
#include "ui/framework/WaitCursor.h"
#include "ui/services/LocalTime.h"

namespace velloway {

void ConnectFlow::Click(size_t index, TF_ConnectionDialog& dialog) {
  const ButtonRows buttons = services_.Buttons();
  // A copy: the shared buttons may be read anew while the dialog is open.
  const ButtonSetting setting = buttons.Row(index);  // NOLINT(performance-unnecessary-copy-initialization)
  const bool shared = buttons.IsShared(index);
  auto job = std::make_shared<ConnectJob>();
  job->button = setting.Name;
  job->drive = ConnectDrive(setting.Drive);
  dialog.DriveLine = DriveLine(job->drive);
  dialog.Folder = setting.Folder;
  dialog.ID = setting.ID;
  // A shared button's password is never kept: the user types it each time.
  Text stored = shared ? Text() : ButtonPassword(setting, services_.crypto, services_.credentials);
  const WipeOnExit wipeStored(stored);
  dialog.Password = stored;
  const bool confirmed = dialog.ShowModal() == ModalResult::Ok;
  // The edited values serve this connection only; the setting keeps its own.
  RefusedPasswords::Attempt attempt{};
  if (confirmed) {
    job->remote = dialog.Folder;
    job->user = dialog.ID;
    job->password = dialog.Password;
    attempt = {job->remote, job->user, !stored.empty(), dialog.Password != stored, kNoError};
    // Kept for the question whether the button should keep it, when that may be asked.
    if (attempt.storedPassword && attempt.typedAnother) job->typedPassword = dialog.Password;
  }
  WipeString(dialog.Password);
  if (!confirmed || services_.worker.Busy()) return;
  if (!IsSharePath(job->remote)) {
    ShowMessage(window_.handle(), kSharePathRule);
    return;
  }
  // Without a user name the share is connected as the current user, whatever password is stored.
  job->plan = PlanConnect(job->drive, job->remote, job->user);

  const Text key = CredentialKey(setting);
  const size_t own = buttons.OwnIndex(index);
  // What the button keeps was sent unchanged: its refusal is auto-connect's too.
  const bool asKept = SameResourceName(job->remote, setting.Folder) && job->user == setting.ID && !attempt.typedAnother;
  Run(job, [this, job, own, shared, key, attempt, asKept, setting]() mutable {
    window_.clickEnded(setting, job->result, shared, asKept);
    // The row may have been edited meanwhile: only the same button is offered it; a shared one never is.
    attempt.result = job->result;
    const SettingsList& settings = services_.settings;
    const bool sameRow = !shared && own < settings.Count() && CredentialKey(settings.Row(own)) == key;
    if (sameRow && refusedPasswords_.After(settings.Row(own), attempt)) OfferPassword(own, job->typedPassword);
    WipeString(job->typedPassword);
    // Another user holds the server: its connections may be closed and this one made again, once.
    if (job->OffersRetry() &&
        AskYesNo(window_.handle(), SessionConflictQuestion(job->remote, job->held, job->user), false)) {
      CloseHeldThenRetry(job->held, job->Retry(), 0);
    }
    WipeString(job->retryPassword);
  });
}

void ConnectFlow::Run(const std::shared_ptr<ConnectJob>& job, std::function<void()> after) {
  window_.status(u"接続認証中");
  NetworkProvider& network = services_.network;
  const FolderProbe& folders = services_.folders;
  const ReachProbe& reach = services_.reach;
  running_ = job;
  const bool started = services_.worker.Start([job, &network, &folders, &reach] { job->Run(network, folders, reach); },
                                              [this, job, after = std::move(after)] {
                                                running_.reset();
                                                HWND window = window_.handle();
                                                if (window == nullptr) return;  // the window was closed meanwhile
                                                const ConnectOutcome outcome = job->Outcome();
                                                if (job->result == kNoError) {
                                                  window_.made(job->drive, job->remote);
                                                  window_.connections(std::move(job->locals), std::move(job->remotes));
                                                }
                                                if (outcome.open) {
                                                  const WaitCursor wait;
                                                  services_.shell.Open(window, job->plan.openTarget);
                                                }
                                                window_.status(outcome.status);
                                                NoteFailure(*job, outcome);
                                                if (after) after();
                                              });
  // Another operation began meanwhile (a retry after the 1219 question, a refresh): the user is told, not left waiting.
  if (!started) {
    running_.reset();
    WipeString(job->password);
    window_.status(kWaitForOperation);
  }
}

bool ConnectFlow::AskGiveUp() {
  if (running_ == nullptr) return false;
  const Text question = u"【" + running_->button +
                        u"】への接続がまだ終わっていません。待つのをやめますか？\r\n\r\n"
                        u"やめても接続の処理は裏で続きます。その結果は記録ファイル（" +
                        kOutcomeLogFileName + u"）に残り、接続できたときは一覧に表示されます。";
  // The call may have returned while the question was open: then there is nothing left to give up.
  if (!AskYesNo(window_.handle(), question, false) || running_ == nullptr) return false;
  std::shared_ptr<ConnectJob> job = std::move(running_);
  services_.worker.Abandon([this, job] { Late(*job); });
  window_.status(u"【" + job->button + u"】への接続を待つのをやめました");
  return true;
}

// A given-up connect's outcome: nothing is opened or asked; the connection it made shows, and the line goes to
// the log beside the settings file.
void ConnectFlow::Late(ConnectJob& job) {
  if (window_.handle() == nullptr) return;
  const ConnectOutcome outcome = job.Outcome();
  if (job.result == kNoError) {
    window_.made(job.drive, job.remote);
    window_.connections(std::move(job.locals), std::move(job.remotes));
  }
  AppendToOutcomeLog(services_.files, SettingsFolder(services_.applicationDataFolder) + u"\\" + kOutcomeLogFileName,
                     OutcomeLogLine(LocalTimeText(), job.button, job.remote, outcome.status));
}

// What the status line says is kept with its details until the next connect.
void ConnectFlow::NoteFailure(const ConnectJob& job, const ConnectOutcome& outcome) {
  if (job.result == kNoError || outcome.open) {
    failure_.reset();
    return;
  }
  failure_ = ConnectDetails{LocalTimeText(),
                            job.button,
                            job.remote,
                            job.drive,
                            job.user,
                            job.result,
                            outcome.status,
                            job.probes,
                            Text(u"Velloway: ") + VELLOWAY_VERSION + u"\r\nWindows: " + WindowsVersionText() + u"\r\n"};
}

void ConnectFlow::ShowFailureDetails() const {
  if (failure_) ShowDetailsDialog(window_.handle(), DetailsText(*failure_));
}

// Each held connection through the close (its open-files question included); the retry once all are closed.
void ConnectFlow::CloseHeldThenRetry(const std::vector<HeldConnection>& held, const std::shared_ptr<ConnectJob>& again,
                                     size_t next) {
  if (next == held.size()) {
    Run(again, nullptr);
    return;
  }
  window_.close(held[next].name, [this, held, again, next](bool closed) {
    if (closed) CloseHeldThenRetry(held, again, next + 1);
  });
}

// Stored as the editor stores a password: in Credential Manager for a row whose Pass is empty, otherwise
// encrypted into its Pass and saved.
void ConnectFlow::OfferPassword(size_t index, const Text& password) {
  HWND window = window_.handle();
  if (!AskYesNo(window, u"ボタンのパスワードを今回の内容で更新しますか？", false)) return;
  ButtonSetting row = services_.settings.Row(index);
  if (UsesCredentialStore(row)) {
    // No entry holds an empty password: the entry goes, as the editor's OK does it (the rows sharing the key
    // share the entry, whatever is written).
    if (password.empty()) {
      services_.credentials.Delete(CredentialKey(row));
      return;
    }
    const std::uint32_t error = services_.credentials.Write(CredentialKey(row), password);
    if (error != 0) {
      ShowMessage(window, u"パスワードを Windows の資格情報マネージャーに保存できませんでした。（エラー " +
                              ErrorCodeText(error) + u"）");
    }
    return;
  }
  if (!services_.codePage.CanRepresent(password)) {
    ShowMessage(window, u"パスワードに使用できない文字が含まれているため、ボタンには保存できません。");
    return;
  }
  CipherOutcome encrypted = TryEncryptPassword(password, services_.crypto);
  if (!encrypted.succeeded) {
    ShowMessage(window, u"パスワードを暗号化できませんでした。ボタンは変更されていません。");
    return;
  }
  row.Pass = std::move(encrypted.text);
  services_.settings.SetRow(index, row);
  window_.save();
}

}  // namespace velloway
