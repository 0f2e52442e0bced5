// Whole-file reads, and saves that write a temporary file beside the target and move it over in one step.
#include "WindowsFileStore.h"

#include <windows.h>

#include <algorithm>
#include <string>

#include "RuntimeError.h"
#include "UniqueAny.h"
#include "WinText.h"

namespace velloway {
namespace {

Text CodeText(DWORD code) {
  const std::string digits = std::to_string(code);
  return Text(digits.begin(), digits.end());
}

[[noreturn]] void ThrowFileError(TextView message, const Text& path, DWORD code) {
  throw RuntimeError(u"ファイル \"" + path + u"\" " + Text(message) + u" (エラー " + CodeText(code) + u")");
}

Text FolderOf(const Text& path) {
  const size_t separator = path.find_last_of(u"\\/");
  return separator == Text::npos ? Text(u".") : path.substr(0, separator);
}

bool WriteWhole(HANDLE file, const std::string& bytes) {
  size_t written = 0;
  while (written < bytes.size()) {
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - written, 1u << 20));
    DWORD done = 0;
    if (!WriteFile(file, bytes.data() + written, chunk, &done, nullptr) || done == 0) return false;
    written += done;
  }
  return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool WindowsFileStore::FolderExists(const Text& folder) const {
  const DWORD attributes = GetFileAttributesW(ToWide(folder).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

void WindowsFileStore::CreateFolder(const Text& folder) { CreateDirectoryW(ToWide(folder).c_str(), nullptr); }

std::optional<std::string> WindowsFileStore::ReadAll(const Text& path) const {
  UniqueFileHandle file(CreateFileW(ToWide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD code = GetLastError();
    if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
    ThrowFileError(u"を開けません。", path, code);
  }
  LARGE_INTEGER size{};
  if (!GetFileSizeEx(file.get(), &size)) ThrowFileError(u"を読み込めません。", path, GetLastError());
  std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
  size_t done = 0;
  while (done < bytes.size()) {
    DWORD read = 0;
    const DWORD chunk = static_cast<DWORD>(std::min<size_t>(bytes.size() - done, 1u << 20));
    if (!ReadFile(file.get(), bytes.data() + done, chunk, &read, nullptr)) {
      ThrowFileError(u"を読み込めません。", path, GetLastError());
    }
    if (read == 0) break;
    done += read;
  }
  bytes.resize(done);
  return bytes;
}

void WindowsFileStore::ReplaceAll(const Text& path, const std::string& bytes) {
  wchar_t temporary[MAX_PATH + 1] = {};
  if (GetTempFileNameW(ToWide(FolderOf(path)).c_str(), L"vlw", 0, temporary) == 0) {
    ThrowFileError(u"を作成できません。", path, GetLastError());
  }
  DWORD code = ERROR_SUCCESS;
  {
    UniqueFileHandle file(
        CreateFileW(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file || !WriteWhole(file.get(), bytes)) code = GetLastError();
  }
  // Only a complete temporary file replaces the old one, so the settings file never holds half a save.
  if (code == ERROR_SUCCESS &&
      !MoveFileExW(temporary, ToWide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != ERROR_SUCCESS) {
    DeleteFileW(temporary);
    ThrowFileError(u"を作成できません。", path, code);
  }
}

}  // namespace velloway
