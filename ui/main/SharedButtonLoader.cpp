// Reading the administrator's buttons on their own worker, within a time limit, and applying what was read.
#include "ui/main/SharedButtonLoader.h"

#include <optional>
#include <string>
#include <utility>

#include "core/RuntimeError.h"
#include "platform/SharedButtonSources.h"
#include "ui/services/LocalTime.h"

namespace velloway {
namespace {

// Long enough for a file server across a VPN, short enough that nobody waits for the buttons.
constexpr UINT kReadLimit = 5000;

}  // namespace

struct SharedButtonLoader::Read {
  std::vector<Text> paths;
  SharedRead read;
  Text failedPath;  // the first file that could not be read
  bool failed = false;
};

bool SharedButtonLoader::HandleMessage(UINT message, WPARAM wParam) {
  if (message != WM_TIMER || wParam != timerId_) return false;
  KillTimer(window_, timerId_);
  if (services_.sharedWorker.Busy()) {
    const std::vector<Text> paths = SharedButtonPaths();
    // A read that returns this late changes nothing, but a Load that waited for it reads anew now.
    services_.sharedWorker.Abandon([this] {
      if (window_ != nullptr && std::exchange(askedWhileStuck_, false)) Load(settingsFolder_);
    });
    UseCopy(paths.empty() ? Text() : paths.front());
  }
  return true;
}

void SharedButtonLoader::Load(const Text& settingsFolder) {
  settingsFolder_ = settingsFolder;
  copyPath_ = settingsFolder + u"\\" + kSharedCacheFileName;
  if (window_ == nullptr || services_.sharedWorker.Busy()) return;
  // A source that left a read hanging gets no second one while it hangs: each would be one more stuck thread.
  if (services_.sharedWorker.InCall()) {
    askedWhileStuck_ = true;
    return;
  }
  auto read = std::make_shared<Read>();
  read->paths = SharedButtonPaths();
  if (read->paths.empty()) {
    // Nothing handed out (any more): no shared buttons, and nothing to say.
    if (!services_.shared.empty()) Apply({});
    return;
  }
  const FileStore& files = services_.files;
  const AnsiCodePage& codePage = services_.codePage;
  const bool started = services_.sharedWorker.Start(
      [read, &files, &codePage] {
        for (const Text& path : read->paths) {
          std::optional<std::string> bytes;
          try {
            bytes = files.ReadAll(path);
          } catch (const RuntimeError&) {
          }
          if (!bytes) {
            read->failed = true;
            read->failedPath = path;
            return;
          }
          ParseSharedButtons(*bytes, codePage, ExpandEnvironment, read->read);
        }
      },
      [this, read] {
        if (window_ != nullptr) Finished(*read);
      });
  // No thread to be had: the copy of the last good read stands in, as for a file out of reach.
  if (!started) {
    UseCopy(read->paths.front());
    return;
  }
  SetTimer(window_, timerId_, kReadLimit, nullptr);
}

void SharedButtonLoader::Finished(const Read& read) {
  KillTimer(window_, timerId_);
  if (read.failed) {
    UseCopy(read.failedPath);
    return;
  }
  try {
    services_.files.ReplaceAll(copyPath_, FormatSharedCopy(LocalTimeText(), read.read.buttons));
  } catch (const RuntimeError&) {
    // Without a copy the next unreachable start has no shared buttons: nothing the user can mend here.
  }
  Apply(read.read.buttons);
  if (read.read.hadPasswords && !passwordsTold_) {
    passwordsTold_ = true;
    hooks_.status(
        u"管理者のボタンの設定ファイルにパスワードが書かれていますが、使いません（そのファイルを読める人すべてに見える"
        u"ため）");
  }
}

void SharedButtonLoader::UseCopy(const Text& path) {
  std::optional<SharedCopy> copy;
  try {
    if (const auto bytes = services_.files.ReadAll(copyPath_)) copy = ParseSharedCopy(*bytes);
  } catch (const RuntimeError&) {
  }
  if (!copy) {
    hooks_.status(u"管理者のボタン（" + path + u"）を読み込めませんでした");
    return;
  }
  Apply(std::move(copy->buttons));
  hooks_.status(u"管理者のボタン（" + path + u"）を読み込めないため、" + copy->taken +
                u" に読み込んだ写しを使っています");
}

void SharedButtonLoader::Apply(SharedButtons buttons) {
  if (buttons == services_.shared) return;
  const SharedButtons gone = ChangedOrRemoved(services_.shared, buttons);
  services_.shared = std::move(buttons);
  hooks_.changed(gone);
}

}  // namespace velloway
