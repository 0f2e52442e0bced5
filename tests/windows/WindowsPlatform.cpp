// The shared settings tests' platform under Wine: the real code page, file system and application data folder.
#include <windows.h>

#include <atomic>
#include <string>

#include "TestPlatform.h"
#include "platform/ShellFolders.h"
#include "platform/WinText.h"
#include "platform/WindowsAnsiCodePage.h"
#include "platform/WindowsFileStore.h"

namespace velloway::testing {

const AnsiCodePage& TestCodePage() {
  static const WindowsAnsiCodePage codePage;
  return codePage;
}

std::unique_ptr<FileStore> MakeFileStore() { return std::make_unique<WindowsFileStore>(); }

Text MakeScratchFolder() {
  static std::atomic<unsigned> counter{0};
  const std::wstring name = L"\\velloway-test-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                            std::to_wstring(GetTickCount64()) + L"-" + std::to_wstring(counter++);
  const std::wstring folder = ToWide(ApplicationDataFolder()) + name;
  CreateDirectoryW(folder.c_str(), nullptr);
  return FromWide(folder);
}

std::optional<std::string> ReadBytes(const Text& path) {
  HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return std::nullopt;
  std::string bytes;
  char buffer[4096];
  DWORD read = 0;
  while (ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
  CloseHandle(file);
  return bytes;
}

void WriteBytes(const Text& path, const std::string& bytes) {
  HANDLE file = CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
  CloseHandle(file);
}

}  // namespace velloway::testing
