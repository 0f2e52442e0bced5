// Opening and closing a listed connection.
#include "ui/main/ConnectionActions.h"

#include <memory>

#include "core/ConnectJob.h"
#include "core/SharePath.h"
#include "ui/UiTexts.h"
#include "ui/framework/ErrorReport.h"
#include "ui/framework/WaitCursor.h"

namespace velloway {

void ConnectionActions::Open(const Text& name) {
  // A drive is a folder; a remote name is asked on the worker whether it is one, as a server may name anything
  // there.
  if (!IsDriveRoot(name)) {
    OpenRemoteFolder(name);
    return;
  }
  window_.status(u"開いています");
  const WaitCursor wait;
  // The status line is emptied whatever happens, an error included.
  struct ClearStatus {
    const Window& window;
    ~ClearStatus() { window.status(u""); }
  } clearStatus{window_};
  services_.shell.Open(window_.handle(), name);
}

void ConnectionActions::OpenRemoteFolder(const Text& target) {
  if (!IsSharePath(target) || services_.worker.Busy()) return;
  window_.status(u"開いています");
  auto isFolder = std::make_shared<bool>(false);
  const FolderProbe& folders = services_.folders;
  const bool started = services_.worker.Start([isFolder, &folders, target] { *isFolder = folders.IsFolder(target); },
                                              [this, isFolder, target] {
                                                if (window_.handle() == nullptr) return;
                                                if (!*isFolder) {
                                                  window_.status(NotAFolder(ConnectOutcome{}, target).status);
                                                  return;
                                                }
                                                const WaitCursor wait;
                                                services_.shell.Open(window_.handle(), target);
                                                window_.status(u"");
                                              });
  if (!started) window_.status(kWaitForOperation);
}

bool ConnectionActions::Close(const Text& name, bool force, std::function<void(bool closed)> then) {
  auto close = std::make_shared<CloseJob>();
  close->name = name;
  close->force = force;
  NetworkProvider& network = services_.network;
  return services_.worker.Start(
      [close, &network] { close->Run(network); },
      [this, close, then = std::move(then)] {
        if (window_.handle() == nullptr) return;
        if (close->step.askForce) {
          // The user's yes is not lost to an operation started while the question was open
          // (a refresh after a drive came or went elsewhere).
          if (!AskYesNo(window_.handle(), close->step.question, false)) {
            if (then) then(false);
          } else if (!Close(close->name, true, then)) {
            window_.status(u"ネットワークの操作中のため、接続を閉じられませんでした。もう一度押してください");
            if (then) then(false);
          }
          return;
        }
        window_.status(close->step.status);
        if (close->step.rebuild) window_.connections(std::move(close->locals), std::move(close->remotes));
        if (then) then(close->step.rebuild);
      });
}

}  // namespace velloway
