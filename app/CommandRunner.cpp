// A command line's connect, close or list, carried out and reported as a click would be.
#include "app/CommandRunner.h"

#include <memory>
#include <utility>

#include "core/ConnectJob.h"
#include "core/ConnectPlan.h"
#include "core/ConnectionEnumeration.h"
#include "core/CredentialKeys.h"
#include "core/DriveAssignment.h"
#include "core/RuntimeError.h"
#include "core/SecureWipe.h"
#include "core/SettingsFile.h"
#include "core/SharePath.h"
#include "platform/ShellFolders.h"
#include "ui/framework/ErrorReport.h"

namespace velloway {
namespace {

constexpr std::uint32_t kErrorNotConnected = 2250;  // ERROR_NOT_CONNECTED
// A command that needs the network worker while another operation has it.
constexpr char16_t kWaitForOperationCommand[] = u"ネットワークの操作中です。終わってからもう一度実行してください";

}  // namespace

void CommandRunner::LoadSettings() {
  Text path = SettingsFolder(ApplicationDataFolder());
  const Text folder = path;
  UnreadSettingsFile unread;
  LoadSettingsFile(path, app_.Settings, app_.Files, app_.CodePage, unread, nullptr);
  try {
    if (const auto bytes = app_.Files.ReadAll(folder + u"\\" + kSharedCacheFileName)) {
      if (auto copy = ParseSharedCopy(*bytes)) app_.Shared = std::move(copy->buttons);
    }
  } catch (const RuntimeError&) {
    // Without the copy only the own buttons are known.
  }
}

HWND CommandRunner::Owner() const { return inWindow_ ? app_.F_Main.Handle() : nullptr; }

void CommandRunner::Start(const Command& command, std::function<void(std::uint32_t code)> finished) {
  finished_ = std::move(finished);
  switch (command.kind) {
    case CommandKind::Connect: Connect(command); return;
    case CommandKind::Disconnect: Disconnect(command); return;
    case CommandKind::List: Finish(List()); return;
    case CommandKind::None: break;
  }
  Finish(0);
}

std::uint32_t CommandRunner::Run(const Command& command) {
  std::uint32_t code = 0;
  bool done = false;
  Start(command, [&](std::uint32_t finishedCode) {
    code = finishedCode;
    done = true;
  });
  MSG message{};
  while (!done && GetMessageW(&message, nullptr, 0, 0) > 0) app_.Dispatch(message);
  if (!done) PostQuitMessage(static_cast<int>(message.wParam));  // the loop's end is the caller's too
  return code;
}

void CommandRunner::Finish(std::uint32_t code) {
  if (auto finished = std::exchange(finished_, nullptr)) finished(code);
}

void CommandRunner::Connect(const Command& command) {
  const ButtonRows buttons(app_.Settings, &app_.Shared);
  const auto index = FindButton(buttons, command.name);
  if (!index) {
    report_.error(u"ボタン【" + command.name + u"】はありません。");
    Finish(kExitUnknownName);
    return;
  }
  const ButtonSetting row = buttons.Row(*index);
  if (!IsSharePath(row.Folder)) {
    report_.error(kSharePathRule);
    Finish(kExitUnknownName);
    return;
  }
  auto job = std::make_shared<ConnectJob>();
  job->button = row.Name;
  job->drive = ConnectDrive(row.Drive);
  job->remote = row.Folder;
  job->user = row.ID;
  if (!buttons.IsShared(*index)) job->password = ButtonPassword(row, app_.Crypto, app_.Credentials);
  job->plan = PlanConnect(job->drive, job->remote, job->user);
  // With a user name and no password to send: the user types it in the confirmation dialog.
  if (job->plan.sendCredentials && job->password.empty()) {
    TF_ConnectionDialog& dialog = app_.F_ConnectionDialog;
    if (inWindow_) app_.CreateDialogs();
    if (dialog.Handle() == nullptr) dialog.Create(nullptr);
    dialog.DriveLine = DriveLine(job->drive);
    dialog.Folder = row.Folder;
    dialog.ID = row.ID;
    const bool confirmed = dialog.ShowModal() == ModalResult::Ok;
    job->password = dialog.Password;
    WipeString(dialog.Password);
    if (!confirmed) {
      report_.error(u"接続をやめました。");
      Finish(kExitCancelled);
      return;
    }
  }
  if (inWindow_) app_.F_Main.SetStatus(u"接続認証中");
  NetworkProvider& network = app_.Network;
  const FolderProbe& folders = app_.Folders;
  const ReachProbe& reach = app_.Reach;
  const bool noOpen = command.noOpen;
  const bool started =
      app_.Worker.Start([job, &network, &folders, &reach] { job->Run(network, folders, reach); },
                        [this, job, row, noOpen] {
                          const ConnectOutcome outcome = job->Outcome();
                          if (inWindow_ && app_.F_Main.Handle() != nullptr) {
                            app_.F_Main.SetStatus(outcome.status);
                            if (job->result == kNoError) {
                              app_.F_Main.Made(job->drive, job->remote);
                              app_.F_Main.ConnectionsRead(std::move(job->locals), std::move(job->remotes));
                            }
                          }
                          if (outcome.open && !noOpen) app_.Shell.Open(Owner(), job->plan.openTarget);
                          const bool done = job->result == kNoError || outcome.open;
                          (done ? report_.out : report_.error)(u"【" + row.Name + u"】" + outcome.status);
                          Finish(done ? 0 : job->result);
                        });
  if (!started) {
    WipeString(job->password);
    report_.error(kWaitForOperationCommand);
    Finish(kErrorBusy);
  }
}

void CommandRunner::Disconnect(const Command& command) {
  Text name = command.name;
  if (!IsDriveName(name)) {
    const ButtonRows buttons(app_.Settings, &app_.Shared);
    const auto index = FindButton(buttons, command.name);
    if (!index) {
      report_.error(u"ボタン【" + command.name + u"】はありません。");
      Finish(kExitUnknownName);
      return;
    }
    std::vector<Text> locals;
    std::vector<Text> remotes;
    EnumerateConnections(app_.Network, nullptr, locals, remotes);
    const ButtonStatus status = ButtonStatuses(buttons, locals, remotes).at(*index);
    if (status.state != ButtonState::Connected) {
      report_.error(u"【" + buttons.Row(*index).Name + u"】は接続されていません。");
      Finish(kErrorNotConnected);
      return;
    }
    name = status.local.empty() ? buttons.Row(*index).Folder : status.local;
  }
  auto close = std::make_shared<CloseJob>();
  close->name = name;
  close->force = command.force;
  // A close the user asked for: the auto-connect buttons on it wait for the user, as after the window's close.
  Close(close, inWindow_ ? app_.F_Main.HoldAutoConnect(name) : std::vector<ButtonSetting>{});
}

void CommandRunner::Close(const std::shared_ptr<CloseJob>& close, std::vector<ButtonSetting> held) {
  NetworkProvider& network = app_.Network;
  const auto release = [this](const std::vector<ButtonSetting>& rows) {
    if (inWindow_ && app_.F_Main.Handle() != nullptr) app_.F_Main.ReleaseAutoConnect(rows);
  };
  const bool started = app_.Worker.Start(
      [close, &network] { close->Run(network); },
      [this, close, held, release] {
        if (close->step.askForce) {
          // Files are open: closed only with the user's yes, the question the window asks.
          if (!AskYesNo(Owner(), close->step.question, false)) {
            release(held);
            report_.error(u"接続を閉じるのをやめました。");
            Finish(kExitCancelled);
            return;
          }
          close->force = true;
          Close(close, held);
          return;
        }
        if (close->result != kNoError) release(held);
        if (inWindow_ && app_.F_Main.Handle() != nullptr) {
          app_.F_Main.SetStatus(close->step.status);
          if (close->step.rebuild) app_.F_Main.ConnectionsRead(std::move(close->locals), std::move(close->remotes));
        }
        (close->result == kNoError ? report_.out : report_.error)(close->name + u": " + close->step.status);
        Finish(close->result);
      });
  if (!started) {
    release(held);
    report_.error(kWaitForOperationCommand);
    Finish(kErrorBusy);
  }
}

std::uint32_t CommandRunner::List() {
  std::vector<Text> locals;
  std::vector<Text> remotes;
  EnumerateConnections(app_.Network, nullptr, locals, remotes);
  const ButtonRows buttons(app_.Settings, &app_.Shared);
  const std::vector<ButtonStatus> statuses = ButtonStatuses(buttons, locals, remotes);
  for (size_t i = 0; i < buttons.Count(); ++i) report_.out(ListLine(buttons.Row(i), statuses[i]));
  return 0;
}

}  // namespace velloway
