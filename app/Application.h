// The application: the settings list, the platform layers and the five windows, created in order.
#pragma once

#include <memory>

#include "core/AutoConnect.h"
#include "core/SettingsList.h"
#include "core/U_crypto.h"
#include "platform/U_crypto_h.h"
#include "platform/WindowsAnsiCodePage.h"
#include "platform/WindowsCredentialStore.h"
#include "platform/WindowsFileStore.h"
#include "platform/WindowsFolderProbe.h"
#include "platform/WindowsNetBios.h"
#include "platform/WindowsNetworkProvider.h"
#include "platform/WindowsReachProbe.h"
#include "platform/WindowsSignInStart.h"
#include "ui/dialogs/UNetResEnum.h"
#include "ui/dialogs/U_ConnectionDialog.h"
#include "ui/dialogs/U_SettingButton.h"
#include "ui/dialogs/U_SettingButtonForm.h"
#include "ui/main/UMain.h"
#include "ui/services/ShellOpener.h"

namespace velloway {

class CommandRunner;

class Application {
 public:
  // applicationDataFolder: the per-user folder the settings folder lives in. shell: where "open" goes; the
  // Windows shell when none is given. connectButtonLimit: the most connect buttons the main window makes.
  explicit Application(Text applicationDataFolder, ShellOpener* shell = nullptr,
                       size_t connectButtonLimit = kConnectButtonLimit);
  ~Application();
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;
  // Creates F_Main and shows it; the four dialogs wait for their first use (CreateDialogs).
  void CreateWindows(int showCommand);
  // Makes the four dialogs, owned by the main window, when they are not made yet: when one is first needed.
  void CreateDialogs();
  // Runs the message loop until the main window closes.
  int Run();
  // Whether a network call still runs on a worker, after waiting for it up to this long.
  bool NetworkCallStillRunning(DWORD waitMilliseconds) const;
  // Handles one message as the loop does (keyboard accelerators included).
  void Dispatch(MSG& message);
  // What closing the editor does once its rows are final: save the file, rebuild the connect buttons.
  // False: the user chose to go back to editing. mayAsk false (the session ends): no question is asked.
  bool SaveAndRebuildButtons(bool mayAsk);
  // A button for a share, from the browser: the editor's add dialog, then saved and rebuilt as its close does.
  bool AddButtonFromShare(const Text& name, const Text& folder);

  SettingsList Settings;
  AutoConnectSet AutoConnects;  // which of them connect by themselves
  AutoConnectHolds AutoHolds;   // which of those wait for the user: a refusal, a close
  SharedButtons Shared;         // the administrator's buttons, read-only
  WindowsFileStore Files;
  WindowsFolderProbe Folders;
  WindowsReachProbe Reach;
  WindowsSignInStart SignIn;
  WindowsAnsiCodePage CodePage;
  WindowsCryptoProvider CryptoProvider;
  WindowsNetBios NetBios;
  WindowsCredentialStore Credentials;
  WindowsNetworkProvider Network;
  // Declared after what its operations use and before the windows: on the way out the windows go
  // first, then a running operation is waited for.
  NetworkWorker Worker;
  NetworkWorker AutoWorker;    // the automatic connects', apart from the user's operations
  NetworkWorker SharedWorker;  // the shared buttons' file, read apart and given up when it takes too long
  WindowsShellOpener WindowsShell;
  ShellOpener& Shell;
  CryptoServices Crypto;

  TF_Main F_Main;
  TF_NetResEnum F_NetResEnum;
  TF_SettingButton F_SettingButton;
  TF_SettingButtonForm F_SettingButtonForm;
  TF_ConnectionDialog F_ConnectionDialog;

 private:
  // The command another start handed over, while it runs and until the next one: it is the main window's.
  std::unique_ptr<CommandRunner> handedOver_;
};

}  // namespace velloway
