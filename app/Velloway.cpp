// The program entry: the application's windows and its message loop.
#include <windows.h>

#include "app/Application.h"
#include "platform/ShellFolders.h"

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int showCommand) {
  velloway::Application application(velloway::ApplicationDataFolder());
  application.CreateWindows(showCommand);
  return application.Run();
}
