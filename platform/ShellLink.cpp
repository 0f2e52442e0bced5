// IShellLinkW saved through IPersistFile, with COM entered for the call when the thread has not.
#include "platform/ShellLink.h"

#include <windows.h>
#include <objbase.h>
#include <shlobj.h>

#include <string>

#include "platform/WinText.h"

namespace velloway {
namespace {

// COM for this thread while it lives; a thread that entered it already keeps its own.
class ComScope {
 public:
  ComScope() noexcept : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

// Releases a COM interface once.
template <typename T>
class ComPtr {
 public:
  ComPtr() noexcept = default;
  ~ComPtr() {
    if (p_ != nullptr) p_->Release();
  }
  ComPtr(const ComPtr&) = delete;
  ComPtr& operator=(const ComPtr&) = delete;
  T* operator->() const noexcept { return p_; }
  void** put() noexcept { return reinterpret_cast<void**>(&p_); }

 private:
  T* p_ = nullptr;
};

}  // namespace

std::uint32_t WriteShellLink(const Text& path, const ShellLinkDetails& details) {
  const ComScope com;
  ComPtr<IShellLinkW> link;
  HRESULT result = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW, link.put());
  if (FAILED(result)) return static_cast<std::uint32_t>(result);
  const std::wstring target = ToWide(details.target);
  const std::wstring arguments = ToWide(details.arguments);
  const std::wstring icon = ToWide(details.iconFile);
  const std::wstring description = ToWide(details.description);
  const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
  for (const HRESULT step :
       {link->SetPath(target.c_str()), link->SetArguments(arguments.c_str()), link->SetIconLocation(icon.c_str(), 0),
        link->SetDescription(description.c_str()), link->SetWorkingDirectory(folder.c_str())}) {
    if (FAILED(step)) return static_cast<std::uint32_t>(step);
  }
  ComPtr<IPersistFile> file;
  result = link->QueryInterface(IID_IPersistFile, file.put());
  if (FAILED(result)) return static_cast<std::uint32_t>(result);
  result = file->Save(ToWide(path).c_str(), TRUE);
  return FAILED(result) ? static_cast<std::uint32_t>(result) : 0;
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
