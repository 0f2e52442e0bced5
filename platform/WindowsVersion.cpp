// The Windows version from the system itself, not from the compatibility layer.
#include "platform/WindowsVersion.h"

#include <windows.h>

namespace velloway {

Text WindowsVersionText() {
  using GetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const FARPROC found = ntdll != nullptr ? GetProcAddress(ntdll, "RtlGetVersion") : nullptr;
  if (found == nullptr) return u"不明";
  const auto getVersion = reinterpret_cast<GetVersionFunction>(reinterpret_cast<void*>(found));
  if (getVersion(&version) != 0) return u"不明";
  return NumberText(version.dwMajorVersion) + u"." + NumberText(version.dwMinorVersion) + u"." +
         NumberText(version.dwBuildNumber);
}

}  // namespace velloway
