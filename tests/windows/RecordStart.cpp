// A stand-in program that only records that it was started: it makes a file named after itself plus
// ".started" beside itself. Tests put it where a button's Folder points and check that nothing ran it.
#include <windows.h>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  wchar_t path[MAX_PATH + 16] = {};
  if (GetModuleFileNameW(nullptr, path, MAX_PATH) == 0) return 1;
  lstrcatW(path, L".started");
  HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return 1;
  CloseHandle(file);
  return 0;
}
