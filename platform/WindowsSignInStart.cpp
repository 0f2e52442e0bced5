// The Run key's value that starts the program at sign-in.
#include "platform/WindowsSignInStart.h"

#include <windows.h>

#include <string>

#include "platform/UniqueAny.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

constexpr wchar_t kRunKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr wchar_t kValueName[] = L"Velloway";

void CloseKey(HKEY key) noexcept { RegCloseKey(key); }
using UniqueKey = UniqueAny<HKEY, CloseKey>;

}  // namespace

Text ProgramPath() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length < path.size()) {
      path.resize(length);
      return FromWide(path);
    }
    path.resize(path.size() * 2);
  }
}

bool WindowsSignInStart::Enabled() const {
  UniqueKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return false;
  return RegQueryValueExW(key.get(), kValueName, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::uint32_t WindowsSignInStart::Enable(bool on) {
  UniqueKey key;
  const LSTATUS opened =
      RegCreateKeyExW(HKEY_CURRENT_USER, kRunKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, key.put(), nullptr);
  if (opened != ERROR_SUCCESS) return static_cast<std::uint32_t>(opened);
  if (!on) {
    const LSTATUS deleted = RegDeleteValueW(key.get(), kValueName);
    return deleted == ERROR_FILE_NOT_FOUND ? 0 : static_cast<std::uint32_t>(deleted);
  }
  const std::wstring command = ToWide(SignInCommand(ProgramPath()));
  return static_cast<std::uint32_t>(RegSetValueExW(key.get(), kValueName, 0, REG_SZ,
                                                   reinterpret_cast<const BYTE*>(command.c_str()),
                                                   static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t))));
}

}  // namespace velloway
