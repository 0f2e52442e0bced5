// The policy values and the file beside the program that name the shared buttons' files.
#include "platform/SharedButtonSources.h"

#include <windows.h>

#include <string>

#include "core/SharedButtons.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"
#include "platform/WindowsSignInStart.h"

namespace velloway {
namespace {

void CloseKey(HKEY key) noexcept { RegCloseKey(key); }
using UniqueKey = UniqueAny<HKEY, CloseKey>;

// The value's paths: one for REG_SZ and REG_EXPAND_SZ, each non-empty string of a REG_MULTI_SZ.
std::vector<Text> PolicyPaths(HKEY root) {
  UniqueKey key;
  if (RegOpenKeyExW(root, kSharedButtonsPolicyKey, 0, KEY_QUERY_VALUE, key.put()) != ERROR_SUCCESS) return {};
  DWORD type = 0;
  DWORD bytes = 0;
  if (RegQueryValueExW(key.get(), kSharedButtonsPolicyValue, nullptr, &type, nullptr, &bytes) != ERROR_SUCCESS ||
      (type != REG_SZ && type != REG_EXPAND_SZ && type != REG_MULTI_SZ)) {
    return {};
  }
  // Two more characters than asked for: the value may lack its ending nulls.
  std::wstring data(bytes / sizeof(wchar_t) + 2, L'\0');
  DWORD size = bytes;
  if (RegQueryValueExW(key.get(), kSharedButtonsPolicyValue, nullptr, nullptr, reinterpret_cast<BYTE*>(data.data()),
                       &size) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<Text> paths;
  for (size_t start = 0; start < data.size();) {
    const size_t end = data.find(L'\0', start);
    const std::wstring path = data.substr(start, end - start);
    if (!path.empty()) paths.push_back(ExpandEnvironment(FromWide(path)));
    if (type != REG_MULTI_SZ || end == std::wstring::npos) break;
    start = end + 1;
  }
  return paths;
}

}  // namespace

Text ExpandEnvironment(const Text& text) {
  const std::wstring wide = ToWide(text);
  const DWORD needed = ExpandEnvironmentStringsW(wide.c_str(), nullptr, 0);
  if (needed == 0) return text;
  std::wstring expanded(needed, L'\0');
  const DWORD written = ExpandEnvironmentStringsW(wide.c_str(), expanded.data(), needed);
  if (written == 0 || written > needed) return text;
  expanded.resize(written - 1);
  return FromWide(expanded);
}

std::vector<Text> SharedButtonPaths() {
  for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
    std::vector<Text> paths = PolicyPaths(root);
    if (!paths.empty()) return paths;
  }
  const Text program = ProgramPath();
  const Text beside = program.substr(0, program.rfind(u'\\') + 1) + kSharedButtonsFileName;
  if (GetFileAttributesW(ToWide(beside).c_str()) == INVALID_FILE_ATTRIBUTES) return {};
  return {beside};
}

}  // namespace velloway
