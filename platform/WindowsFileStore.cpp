// Whole-file reads, and saves that write a temporary file beside the target and move it over in one step.
#include "platform/WindowsFileStore.h"

#include <windows.h>

#include <algorithm>
#include <string>
#include <string_view>

#include "core/RuntimeError.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"

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

// Where the file at path really lives: a settings file that is a link is saved to its target, so the link stays
// as the user or the administrator made it. A path that does not exist yet is its own target.
Text TargetOf(const Text& path) {
  UniqueFileHandle file(CreateFileW(ToWide(path).c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  if (!file) return path;
  std::wstring target(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetFinalPathNameByHandleW(file.get(), target.data(), static_cast<DWORD>(target.size()),
                                                   FILE_NAME_NORMALIZED | VOLUME_NAME_DOS);
    if (length == 0) return path;
    if (length < target.size()) {
      target.resize(length);
      break;
    }
    target.resize(length);
  }
  // The answer is in the long form; the short one is what every other call here is given.
  constexpr std::wstring_view kLongShare = L"\\\\?\\UNC\\";
  constexpr std::wstring_view kLong = L"\\\\?\\";
  if (target.starts_with(kLongShare)) return FromWide(L"\\\\" + target.substr(kLongShare.size()));
  if (target.starts_with(kLong)) return FromWide(target.substr(kLong.size()));
  return FromWide(target);
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
  // Read to its end, however long it is now: a file another program is writing, or a pipe, has no size to trust.
  std::string bytes;
  LARGE_INTEGER size{};
  if (GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<size_t>(size.QuadPart));
  std::string chunk(1u << 16, '\0');
  for (;;) {
    DWORD read = 0;
    if (!ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr)) {
      const DWORD code = GetLastError();
      if (code == ERROR_BROKEN_PIPE) break;  // the writing end closed: all was sent
      ThrowFileError(u"を読み込めません。", path, code);
    }
    if (read == 0) break;
    bytes.append(chunk.data(), read);
  }
  return bytes;
}

void WindowsFileStore::ReplaceAll(const Text& path, const std::string& bytes) {
  const Text target = TargetOf(path);
  wchar_t temporary[MAX_PATH + 1] = {};
  if (GetTempFileNameW(ToWide(FolderOf(target)).c_str(), L"vlw", 0, temporary) == 0) {
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
      !MoveFileExW(temporary, ToWide(target).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    code = GetLastError();
  }
  if (code != ERROR_SUCCESS) {
    DeleteFileW(temporary);
    ThrowFileError(u"を作成できません。", path, code);
  }
}

}  // namespace velloway
