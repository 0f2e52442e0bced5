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
  return application.Run();
}
