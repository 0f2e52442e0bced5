// Drive letters through Wine's mount manager (its own IOCTL, which winecfg uses too).
#include "StandInDrives.h"

#include <windows.h>
#include <winioctl.h>

#include <cstring>
#include <vector>

namespace velloway::standin {
namespace {

// Wine's extension of the mount manager, as in Wine's ddk/mountmgr.h.
constexpr DWORD kDefineUnixDrive = CTL_CODE(0x6D /* 'm' */, 32, METHOD_BUFFERED, FILE_READ_ACCESS | FILE_WRITE_ACCESS);

struct UnixDrive {
  ULONG size;
  ULONG type;
  ULONG fs_type;
  DWORD serial;
  ULONGLONG unix_dev;
  WCHAR letter;
  USHORT mount_point_offset;
  USHORT device_offset;
  USHORT label_offset;
};

bool IsDriveName(const std::wstring& local) {
  return local.size() == 2 && local[1] == L':' &&
         ((local[0] >= L'A' && local[0] <= L'Z') || (local[0] >= L'a' && local[0] <= L'z'));
}

UINT DriveType(const std::wstring& local) { return GetDriveTypeW((local + L"\\").c_str()); }

// Defines the letter as a network drive on the Unix folder, or removes it when unixFolder is empty.
bool DefineDrive(wchar_t letter, const std::string& unixFolder) {
  HANDLE manager = CreateFileW(L"\\\\.\\MountPointManager", GENERIC_READ | GENERIC_WRITE,
                               FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0, nullptr);
  if (manager == INVALID_HANDLE_VALUE) return false;
  std::vector<char> buffer(sizeof(UnixDrive) + unixFolder.size() + 1, '\0');
  UnixDrive drive{};
  drive.size = static_cast<ULONG>(buffer.size());
  drive.type = DRIVE_REMOTE;
  drive.letter = letter;
  if (!unixFolder.empty()) {
    drive.mount_point_offset = sizeof(UnixDrive);
    std::memcpy(buffer.data() + sizeof(UnixDrive), unixFolder.c_str(), unixFolder.size() + 1);
  }
  std::memcpy(buffer.data(), &drive, sizeof(drive));
  DWORD returned = 0;
  const bool ok = DeviceIoControl(manager, kDefineUnixDrive, buffer.data(), static_cast<DWORD>(buffer.size()), nullptr,
                                  0, &returned, nullptr) != FALSE;
  CloseHandle(manager);
  return ok;
}

// The host's path of a folder of the prefix, from Wine's own kernel32 export.
std::string UnixPathOf(const std::wstring& folder) {
  using Converter = char*(CDECL*)(const wchar_t*);
  const auto convert = reinterpret_cast<Converter>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
  if (convert == nullptr) return {};
  char* path = convert(folder.c_str());
  if (path == nullptr) return {};
  std::string result = path;
  HeapFree(GetProcessHeap(), 0, path);
  return result;
}

}  // namespace

std::wstring ShareFolder(const std::wstring& remote) {
  wchar_t windows[MAX_PATH] = {};
  GetWindowsDirectoryW(windows, MAX_PATH);
  std::wstring folder = std::wstring(windows) + L"\\velloway-standin-shares";
  const size_t start = remote.find_first_not_of(L'\\');
  if (start != std::wstring::npos) folder += L"\\" + remote.substr(start);
  return folder;
}

bool IsLocalDrive(const std::wstring& local) {
  if (!IsDriveName(local)) return false;
  const UINT type = DriveType(local);
  return type != DRIVE_NO_ROOT_DIR && type != DRIVE_REMOTE;
}

std::wstring MakeShareFolder(const std::wstring& remote) {
  const std::wstring folder = ShareFolder(remote);
  // Every level, as CreateDirectoryW makes one at a time.
  for (size_t slash = folder.find(L'\\', 3);; slash = folder.find(L'\\', slash + 1)) {
    CreateDirectoryW(folder.substr(0, slash).c_str(), nullptr);
    if (slash == std::wstring::npos) break;
  }
  return folder;
}

bool MapDrive(const std::wstring& local, const std::wstring& remote) {
  if (!IsDriveName(local) || IsLocalDrive(local)) return true;
  const std::wstring folder = MakeShareFolder(remote);
  const std::string unixFolder = UnixPathOf(folder);
  return !unixFolder.empty() && DefineDrive(local[0], unixFolder);
}

void UnmapDrive(const std::wstring& local) {
  if (IsDriveName(local) && DriveType(local) == DRIVE_REMOTE) DefineDrive(local[0], std::string());
}

}  // namespace velloway::standin
