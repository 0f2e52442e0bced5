// The program entry: one copy per session, the application's windows and its message loop.
#include <windows.h>

#include "app/Application.h"
#include "core/SignInStart.h"
#include "platform/ShellFolders.h"
#include "platform/SingleInstance.h"
#include "platform/WinText.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR arguments, int showCommand) {
  // Started by Windows at sign-in: minimised, without taking the focus from what the user is starting.
  const bool signIn = velloway::HasSignInSwitch(velloway::FromWide(arguments));
  const velloway::SingleInstance instance;
  if (!instance.First()) {
    if (!signIn) velloway::ActivateRunningInstance(L"TF_Main", 2000);
    return 0;
  }
  velloway::Application application(velloway::ApplicationDataFolder());
  application.CreateWindows(signIn ? SW_SHOWMINNOACTIVE : showCommand);
  const int code = application.Run();
  // A network call that never returns must not keep the program alive once its window is closed: what needs
  // saving was saved as the windows closed, and the call is abandoned, not waited for.
  if (application.NetworkCallStillRunning(1500)) ExitProcess(static_cast<UINT>(code));
  return code;
}
