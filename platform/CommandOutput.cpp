// The command line's arguments, and its lines to the standard handles, the console or a message box.
#include "platform/CommandOutput.h"

#include <shellapi.h>

#include <string>

#include "platform/WinText.h"

namespace velloway {
namespace {

HANDLE Usable(DWORD which) {
  HANDLE handle = GetStdHandle(which);
  if (handle == nullptr || handle == INVALID_HANDLE_VALUE || GetFileType(handle) == FILE_TYPE_UNKNOWN) return nullptr;
  return handle;
}

void FreeArguments(wchar_t** arguments) noexcept { LocalFree(arguments); }

}  // namespace

std::vector<Text> CommandArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  if (arguments == nullptr) return {};
  std::vector<Text> texts;
  for (int i = 1; i < count; ++i) texts.push_back(FromWide(arguments[i]));
  FreeArguments(arguments);
  return texts;
}

CommandOutput::CommandOutput() noexcept : out_(Usable(STD_OUTPUT_HANDLE)), error_(Usable(STD_ERROR_HANDLE)) {
  if (out_ != nullptr || error_ != nullptr) return;
  if (!AttachConsole(ATTACH_PARENT_PROCESS)) return;
  out_ = CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (out_ == INVALID_HANDLE_VALUE) out_ = nullptr;
  error_ = out_;
  console_ = out_ != nullptr;
}

void CommandOutput::Out(const Text& line) {
  if (out_ != nullptr) Write(out_, line);
}

void CommandOutput::Error(const Text& line) {
  if (error_ != nullptr) {
    Write(error_, line);
  } else {
    MessageBoxW(nullptr, ToWide(line).c_str(), L"Velloway", MB_OK | MB_ICONERROR);
  }
}

void CommandOutput::Write(HANDLE handle, const Text& line) {
  const std::wstring wide = ToWide(line) + L"\r\n";
  DWORD written = 0;
  if (console_ && WriteConsoleW(handle, wide.c_str(), static_cast<DWORD>(wide.size()), &written, nullptr)) return;
  const int size =
      WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), nullptr, 0, nullptr, nullptr);
  if (size <= 0) return;
  std::string bytes(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, wide.c_str(), static_cast<int>(wide.size()), bytes.data(), size, nullptr, nullptr);
  WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace velloway
