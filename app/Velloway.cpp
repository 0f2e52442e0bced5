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

// Why the running copy did not take the command, in words: it answered with a code alone.
Text NotTakenText(std::uint32_t code) {
  if (code == kExitUsage) return u"Velloway に渡せないコマンドです（引数に制御文字が含まれているか、長すぎます）。";
  return kBusyWithUser;
}

int RunCommand(const Command& command, const std::vector<Text>& arguments) {
  CommandOutput output;
  std::optional<SingleInstance> instance(std::in_place);
  // /list reads what is there itself; a connect or a close goes to the running copy, whose window shows it.
  if (command.kind != CommandKind::List && !instance->First()) {
    bool gone = false;
    const auto handed =
        SendCommandToRunningInstance(L"TF_Main", ToWide(EncodeHandedOverArguments(arguments)), 2000, gone);
    if (gone) {
      output.Error(u"Velloway が終了したため、結果を受け取れませんでした。");
      return static_cast<int>(kExitCancelled);
    }
    if (handed && !handed->replied) {
      output.Error(NotTakenText(handed->code));
      return static_cast<int>(handed->code);
    }
    if (handed) {
      if (const auto reply = DecodeCommandReply(FromWide(handed->reply))) {
        for (const Text& line : reply->out) output.Out(line);
        for (const Text& line : reply->error) output.Error(line);
        return static_cast<int>(reply->code);
      }
      // It ran there, but what it said is lost: never run it a second time here.
      output.Error(u"Velloway からの応答を読み取れませんでした。");
      return static_cast<int>(kExitUsage);
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
