// A command from the command line, carried out with the application's parts: headless in a copy of its own, or
// in the running copy that another start handed it to (then its window shows the outcome). A connect or a close
// runs on the network worker; nothing waits for it in a loop of its own, so that a handed-over command never
// holds the window's messages inside another message.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <vector>

#include "app/Application.h"
#include "core/CommandLine.h"

namespace velloway {

// Why a handed-over command was not run: the user has a dialog or a question open, or an operation runs.
inline constexpr char16_t kBusyWithUser[] =
    u"Velloway で操作中のため実行できませんでした。Velloway の画面での操作を終えてから、もう一度実行してください。";

class CommandRunner {
 public:
  // Where the outcome goes: the status line of the running window, and lines for the caller.
  struct Report {
    std::function<void(const Text& line)> out;
    std::function<void(const Text& line)> error;
  };
  // inWindow: the application's windows run; their status line and buttons show the outcome.
  CommandRunner(Application& app, bool inWindow, Report report)
      : app_(app), inWindow_(inWindow), report_(std::move(report)) {}

  // Loads the settings and the copy of the shared buttons, for a copy without windows.
  void LoadSettings();
  // Starts the command; finished gets the exit code once it is done (perhaps before Start returns): 0 when done (a
  // connect that found the same share there too), else the Windows result code or one of ours (kExitUnknownName,
  // kExitCancelled). The runner must live until then.
  void Start(const Command& command, std::function<void(std::uint32_t code)> finished);
  // Start, and this thread's messages until it is done: for a copy without windows.
  std::uint32_t Run(const Command& command);
  // Whether a started command has not finished yet.
  bool Running() const noexcept { return static_cast<bool>(finished_); }

 private:
  void Connect(const Command& command);
  void Disconnect(const Command& command);
  void Close(const std::shared_ptr<CloseJob>& close, std::vector<ButtonSetting> held);
  std::uint32_t List();
  void Finish(std::uint32_t code);
  HWND Owner() const;

  Application& app_;
  bool inWindow_;
  Report report_;
  std::function<void(std::uint32_t)> finished_;
};

}  // namespace velloway
