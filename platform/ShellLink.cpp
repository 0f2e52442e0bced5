// IShellLinkW saved through IPersistFile, with COM entered for the call when the thread has not.
#include "platform/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "core/ButtonShortcut.h"
#include "platform/ComScope.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

template <typename T>
void ReleaseInterface(T* object) noexcept {
  object->Release();
}

template <typename T>
using ComPtr = UniqueAny<T*, &ReleaseInterface<T>>;

}  // namespace

std::uint32_t WriteShellLink(const Text& path, const ShellLinkDetails& details) {
  const ComScope com;
  ComPtr<IShellLinkW> link;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                    reinterpret_cast<void**>(link.put()));
  if (FAILED(result)) return static_cast<std::uint32_t>(result);
  IShellLinkW& shellLink = *link.get();
  const std::wstring target = ToWide(details.target);
  const std::wstring arguments = ToWide(details.arguments);
  const std::wstring icon = ToWide(details.iconFile);
  const std::wstring description = ToWide(details.description);
  const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
  for (const HRESULT step : {shellLink.SetPath(target.c_str()), shellLink.SetArguments(arguments.c_str()),
                             shellLink.SetIconLocation(icon.c_str(), 0), shellLink.SetDescription(description.c_str()),
                             shellLink.SetWorkingDirectory(folder.c_str())}) {
    if (FAILED(step)) return static_cast<std::uint32_t>(step);
  }
  ComPtr<IPersistFile> file;
  result = shellLink.QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(file.put()));
  if (FAILED(result)) return static_cast<std::uint32_t>(result);
  result = file.get()->Save(ToWide(path).c_str(), TRUE);
  return FAILED(result) ? static_cast<std::uint32_t>(result) : 0;
}

std::uint32_t WriteNewShellLink(const Text& folder, const Text& fileName, const ShellLinkDetails& details,
                                Text& writtenName) {
  // Enough for every copy a user keeps; beyond that the name is taken as for a full folder.
  constexpr size_t kMostNumbers = 1000;
  for (size_t number = 1; number <= kMostNumbers; ++number) {
    const Text name = NumberedFileName(fileName, number);
    Text path = folder;
    path += u"\\";
    path += name;
    // The name is taken by creating the file: one that appears between a look and the write is never replaced.
    {
      const UniqueFileHandle reserved(
          CreateFileW(ToWide(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr));
      if (!reserved) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS) continue;
        return error;
      }
    }
    const std::uint32_t result = WriteShellLink(path, details);
    if (result != 0) {
      DeleteFileW(ToWide(path).c_str());  // the empty file that held the name
      return result;
    }
    writtenName = name;
    return 0;
  }
  return ERROR_FILE_EXISTS;
}

Text DesktopFolder() {
  wchar_t folder[MAX_PATH] = {};
  if (FAILED(
          SHGetFolderPathW(nullptr, CSIDL_DESKTOPDIRECTORY | CSIDL_FLAG_CREATE, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return Text();
  }
  return FromWide(folder);
}

}  // namespace velloway
