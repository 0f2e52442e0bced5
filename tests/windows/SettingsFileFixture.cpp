// Settings files written and removed by the tests.
#include "SettingsFileFixture.h"

#include <windows.h>

#include <stdexcept>

#include "platform/ShellFolders.h"
#include "platform/WinText.h"

namespace velloway::testing {

std::wstring RealApplicationDataFolder() { return ToWide(ApplicationDataFolder()); }

std::wstring SettingsFilePath(const std::wstring& applicationDataFolder) {
  return applicationDataFolder + L"\\vlw\\vlw.ini";
}

void WriteSettingsFile(const std::string& bytes, const std::wstring& applicationDataFolder) {
  const std::wstring path = SettingsFilePath(applicationDataFolder);
  CreateDirectoryW(path.substr(0, path.rfind(L'\\')).c_str(), nullptr);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("cannot write the settings file");
  DWORD written = 0;
  const BOOL wrote = WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
  if (!wrote || written != bytes.size()) throw std::runtime_error("cannot write the settings file");
}

void RemoveSettingsFile(const std::wstring& applicationDataFolder) {
  const std::wstring path = SettingsFilePath(applicationDataFolder);
  SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
  if (!DeleteFileW(path.c_str())) RemoveDirectoryW(path.c_str());
}

std::string ReadSettingsFile(const std::wstring& applicationDataFolder) {
  HANDLE file = CreateFileW(SettingsFilePath(applicationDataFolder).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                            OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) throw std::runtime_error("the settings file cannot be opened");
  std::string bytes(GetFileSize(file, nullptr), '\0');
  DWORD read = 0;
  const BOOL ok = ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr);
  CloseHandle(file);
  if (!ok || read != bytes.size()) throw std::runtime_error("the settings file cannot be read");
  return bytes;
}

}  // namespace velloway::testing
