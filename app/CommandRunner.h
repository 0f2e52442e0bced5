// A command from the command line, carried out with the application's parts: headless in a copy of its own, or
// in the running copy that another start handed it to (then its window shows the outcome). A connect or a close
// runs on the network worker while this thread keeps the windows answering.
#pragma once

#include <cstdint>
#include <vector>

#include "app/Application.h"
#include "core/CommandLine.h"

namespace velloway {

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
  // The exit code: 0 when done (a connect that found the same share there too), else the Windows result code
  // or one of ours (kExitUnknownName, kExitCancelled).
  std::uint32_t Run(const Command& command);

 private:
  std::uint32_t Connect(const Command& command);
  std::uint32_t Disconnect(const Command& command);
  std::uint32_t List();
  // Runs work on the network worker and this thread's messages until it is done; false when the worker is busy.
  bool RunOnWorker(std::function<void()> work);
  HWND Owner() const;

  Application& app_;
  bool inWindow_;
  Report report_;
};

// The arguments of a command handed to the running copy, as one text, and back.
Text JoinArguments(const std::vector<Text>& arguments);
std::vector<Text> SplitArguments(const Text& joined);

}  // namespace velloway
