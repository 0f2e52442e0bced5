// Start-up order and the message loop.
#include "app/Application.h"

#include <commctrl.h>

#include "app/CommandRunner.h"
#include "ui/framework/MessageDispatch.h"

namespace velloway {

Application::Application(Text applicationDataFolder, ShellOpener* shell, size_t connectButtonLimit)
    : Shell(shell != nullptr ? *shell : WindowsShell),
      Crypto{CryptoProvider, NetBios, CodePage},
      F_Main(MainServices{Settings, Files, Folders, Reach, CodePage, Network, Worker, Shell, Crypto, Credentials,
                          std::move(applicationDataFolder), AutoConnects, AutoWorker, Shared, SharedWorker, AutoHolds},
             connectButtonLimit),
      F_NetResEnum(Network, Worker, Settings,
                   [this](const Text& name, const Text& folder) { return AddButtonFromShare(name, folder); }),
      F_SettingButton(Settings, F_SettingButtonForm, Crypto, Credentials, SignIn, AutoConnects, AutoHolds, Shared) {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES | ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES | ICC_TREEVIEW_CLASSES;
  InitCommonControlsEx(&controls);
}

Application::~Application() = default;

void Application::CreateWindows(int showCommand) {
  F_Main.Create(showCommand);
  F_Main.SetDialogs(F_SettingButton, F_NetResEnum, F_ConnectionDialog, [this] { CreateDialogs(); });
  // A command another start handed over: carried out here, its outcome on the status line and the buttons, and
  // what a copy of its own would have printed goes back to the caller.
  F_Main.OnCommand([this](const std::vector<Text>& arguments, std::function<void(const CommandReply&)> reply) {
    const ParsedCommand parsed = ParseCommandLine(arguments);
    if (!parsed.error.empty()) {
      reply(CommandReply{kExitUsage, {}, {parsed.error + u"\r\n" + CommandUsage()}});
      return;
    }
    // The user opened something between the hand-over and now: never run inside it.
    if (F_Main.InUserOperation()) {
      reply(CommandReply{kErrorBusy, {}, {kBusyWithUser}});
      return;
    }
    auto lines = std::make_shared<CommandReply>();
    handedOver_ = std::make_unique<CommandRunner>(
        *this, true,
        CommandRunner::Report{[lines](const Text& line) { lines->out.push_back(line); },
                              [lines](const Text& line) { lines->error.push_back(line); }});
    handedOver_->Start(parsed.command, [lines, reply = std::move(reply)](std::uint32_t code) {
      lines->code = code;
      reply(*lines);
    });
  });
}

// Not at start-up: the main window and its buttons come first, and most starts open none of these.
void Application::CreateDialogs() {
  if (F_NetResEnum.Handle() != nullptr) return;
  HWND owner = F_Main.Handle();
  F_NetResEnum.Create(owner);
  F_SettingButton.Create(owner, [this](bool mayAsk) { return SaveAndRebuildButtons(mayAsk); });
  F_SettingButtonForm.Create(owner);
  F_ConnectionDialog.Create(owner);
}

bool Application::SaveAndRebuildButtons(bool mayAsk) {
  if (!F_Main.SaveToIni(mayAsk)) return false;
  F_Main.CreateButtons();
  F_Main.AutoConnectsChanged();
  return true;
}

bool Application::AddButtonFromShare(const Text& name, const Text& folder) {
  if (!F_SettingButton.AddFromShare(name, folder)) return false;
  try {
    if (!F_Main.SaveToIni()) {
      // Back to editing, here the browser: the row goes, as nothing was saved.
      F_SettingButton.RemoveLastRow();
      return false;
    }
  } catch (...) {
    // Not saved: the list goes back to what the file holds, and the error is reported by the caller's window.
    F_SettingButton.RemoveLastRow();
    throw;
  }
  F_Main.CreateButtons();
  return true;
}

void Application::Dispatch(MSG& message) {
  // F1 anywhere in the main window: the details of the last failed connect, as a click on the status line.
  if (message.message == WM_KEYDOWN && message.wParam == VK_F1 && F_Main.Handle() != nullptr &&
      (message.hwnd == F_Main.Handle() || IsChild(F_Main.Handle(), message.hwnd))) {
    F_Main.ShowFailureDetails();
    return;
  }
  // The dialog manager gives the main window's buttons their Alt+letter accelerators.
  DispatchWithDialogKeys(F_Main.Handle(), message);
}

bool Application::NetworkCallStillRunning(DWORD waitMilliseconds) const {
  const ULONGLONG until = GetTickCount64() + waitMilliseconds;
  while (Worker.InCall() || AutoWorker.InCall() || SharedWorker.InCall()) {
    if (GetTickCount64() >= until) return true;
    Sleep(20);
  }
  return false;
}

int Application::Run() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) Dispatch(message);
  return static_cast<int>(message.wParam);
}

}  // namespace velloway
