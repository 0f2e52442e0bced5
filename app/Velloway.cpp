// The program entry: one copy per session, the application's windows and its message loop; or, with a command on
// the command line, that command alone (handed to the running copy when there is one).
#include <windows.h>

#include <optional>

#include "app/Application.h"
#include "app/CommandRunner.h"
#include "core/CommandLine.h"
#include "core/ConnectPlan.h"
#include "core/ConnectResult.h"
#include "core/RuntimeError.h"
#include "platform/CommandOutput.h"
#include "platform/ShellFolders.h"
#include "platform/SingleInstance.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

// What the running copy did, in words: it answers with the exit code only.
Text HandedOverOutcome(const Command& command, std::uint32_t code) {
  if (code == kExitUnknownName) return u"ボタン【" + command.name + u"】はありません。";
  if (code == kExitCancelled) return u"やめました。";
  if (command.kind == CommandKind::Connect) return ConnectResultText(code, command.name).status;
  return AfterCancel(code, command.name, command.force).status;
}

int RunCommand(const Command& command, const std::vector<Text>& arguments) {
  CommandOutput output;
  std::optional<SingleInstance> instance(std::in_place);
  // /list reads what is there itself; a connect or a close goes to the running copy, whose window shows it.
  if (command.kind != CommandKind::List && !instance->First()) {
    if (const auto code = SendCommandToRunningInstance(L"TF_Main", ToWide(JoinArguments(arguments)), 2000)) {
      if (*code == 0) {
        output.Out(HandedOverOutcome(command, *code));
      } else {
        output.Error(HandedOverOutcome(command, *code));
      }
      return static_cast<int>(*code);
    }
  }
  instance.reset();  // a start meanwhile makes its windows as usual
  Application application(ApplicationDataFolder());
  CommandRunner runner(application, false,
                       CommandRunner::Report{[&output](const Text& line) { output.Out(line); },
                                             [&output](const Text& line) { output.Error(line); }});
  std::uint32_t code = 0;
  try {
    runner.LoadSettings();
    code = runner.Run(command);
  } catch (const RuntimeError& error) {
    output.Error(error.Message());
    code = kExitUsage;
  }
  if (application.NetworkCallStillRunning(1500)) ExitProcess(code);
  return static_cast<int>(code);
}

}  // namespace
}  // namespace velloway

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  using namespace velloway;
  const std::vector<Text> arguments = CommandArguments();
  const ParsedCommand parsed = ParseCommandLine(arguments);
  if (!parsed.error.empty()) {
    CommandOutput output;
    output.Error(parsed.error + u"\r\n" + CommandUsage());
    return static_cast<int>(kExitUsage);
  }
  if (parsed.command.kind != CommandKind::None) return RunCommand(parsed.command, arguments);

  // Started by Windows at sign-in: minimised, without taking the focus from what the user is starting.
  const bool signIn = parsed.command.signIn;
  const SingleInstance instance;
  if (!instance.First()) {
    if (!signIn) ActivateRunningInstance(L"TF_Main", 2000);
    return 0;
  }
  Application application(ApplicationDataFolder());
  application.CreateWindows(signIn ? SW_SHOWMINNOACTIVE : showCommand);
  const int code = application.Run();
  // A network call that never returns must not keep the program alive once its window is closed: what needs
  // saving was saved as the windows closed, and the call is abandoned, not waited for.
  if (application.NetworkCallStillRunning(1500)) ExitProcess(static_cast<UINT>(code));
  return code;
}
