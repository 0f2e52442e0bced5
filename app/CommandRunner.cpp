#include "app/CommandRunner.h"

#include <memory>

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
#include "ui/ErrorReport.h"

namespace velloway {
namespace {

constexpr std::uint32_t kErrorBusy = 170;           // ERROR_BUSY: the running copy is in another operation
constexpr std::uint32_t kErrorNotConnected = 2250;  // ERROR_NOT_CONNECTED

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

bool CommandRunner::RunOnWorker(std::function<void()> work) {
  bool done = false;
  if (!app_.Worker.Start(std::move(work), [&done] { done = true; })) return false;
  MSG message{};
  while (!done && GetMessageW(&message, nullptr, 0, 0) > 0) app_.Dispatch(message);
  if (!done) PostQuitMessage(static_cast<int>(message.wParam));  // the loop's end is the caller's too
  return done;
}

std::uint32_t CommandRunner::Run(const Command& command) {
  switch (command.kind) {
    case CommandKind::Connect: return Connect(command);
    case CommandKind::Disconnect: return Disconnect(command);
    case CommandKind::List: return List();
    case CommandKind::None: break;
  }
  return 0;
}

std::uint32_t CommandRunner::Connect(const Command& command) {
  const ButtonRows buttons(app_.Settings, &app_.Shared);
  const auto index = FindButton(buttons, command.name);
  if (!index) {
    report_.error(u"ボタン【" + command.name + u"】はありません。");
    return kExitUnknownName;
  }
  const ButtonSetting row = buttons.Row(*index);
  if (!IsSharePath(row.Folder)) {
    report_.error(kSharePathRule);
    return kExitUnknownName;
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
      return kExitCancelled;
    }
  }
  if (inWindow_) app_.F_Main.SetStatus(u"接続認証中");
  NetworkProvider& network = app_.Network;
  const FolderProbe& folders = app_.Folders;
  const ReachProbe& reach = app_.Reach;
  if (!RunOnWorker([job, &network, &folders, &reach] { job->Run(network, folders, reach); })) {
    report_.error(u"ネットワークの操作中です。終わってからもう一度実行してください");
    return kErrorBusy;
  }
  const ConnectOutcome outcome = job->Outcome();
  if (inWindow_) {
    if (job->result == kNoError) app_.F_Main.Made(job->drive, job->remote);
    app_.F_Main.SetStatus(outcome.status);
    app_.F_Main.CreateButtons_Connected();
  }
  if (outcome.open && !command.noOpen) app_.Shell.Open(Owner(), job->plan.openTarget);
  const bool done = job->result == kNoError || outcome.open;
  (done ? report_.out : report_.error)(u"【" + row.Name + u"】" + outcome.status);
  return done ? 0 : job->result;
}

std::uint32_t CommandRunner::Disconnect(const Command& command) {
  Text name = command.name;
  if (!IsDriveName(name)) {
    const ButtonRows buttons(app_.Settings, &app_.Shared);
    const auto index = FindButton(buttons, command.name);
    if (!index) {
      report_.error(u"ボタン【" + command.name + u"】はありません。");
      return kExitUnknownName;
    }
    std::vector<Text> locals;
    std::vector<Text> remotes;
    EnumerateConnections(app_.Network, nullptr, locals, remotes);
    const ButtonStatus status = ButtonStatuses(buttons, locals, remotes).at(*index);
    if (status.state != ButtonState::Connected) {
      report_.error(u"【" + buttons.Row(*index).Name + u"】は接続されていません。");
      return kErrorNotConnected;
    }
    name = status.local.empty() ? buttons.Row(*index).Folder : status.local;
  }
  auto close = std::make_shared<CloseJob>();
  close->name = name;
  close->force = command.force;
  NetworkProvider& network = app_.Network;
  for (;;) {
    if (!RunOnWorker([close, &network] { close->Run(network); })) {
      report_.error(u"ネットワークの操作中です。終わってからもう一度実行してください");
      return kErrorBusy;
    }
    if (!close->step.askForce) break;
    // Files are open: closed only with the user's yes, the question the window asks.
    if (!AskYesNo(Owner(), close->step.question, false)) {
      report_.error(u"接続を閉じるのをやめました。");
      return kExitCancelled;
    }
    close->force = true;
  }
  if (inWindow_) {
    app_.F_Main.SetStatus(close->step.status);
    app_.F_Main.CreateButtons_Connected();
  }
  (close->result == kNoError ? report_.out : report_.error)(name + u": " + close->step.status);
  return close->result;
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

Text JoinArguments(const std::vector<Text>& arguments) {
  Text joined;
  for (const Text& argument : arguments) {
    joined += argument;
    joined += u'\n';
  }
  return joined;
}

std::vector<Text> SplitArguments(const Text& joined) {
  std::vector<Text> arguments;
  size_t start = 0;
  for (size_t end = joined.find(u'\n'); end != Text::npos; end = joined.find(u'\n', start)) {
    arguments.push_back(joined.substr(start, end - start));
    start = end + 1;
  }
  return arguments;
}

}  // namespace velloway
