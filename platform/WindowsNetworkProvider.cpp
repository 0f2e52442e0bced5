// WNetOpenEnumW, WNetEnumResourceW, WNetCloseEnum, WNetAddConnection2W, WNetCancelConnection2W and WNetGetUserW.
#include "platform/WindowsNetworkProvider.h"

#include <windows.h>
#include <winnetwk.h>

#include <vector>

#include "core/SecureWipe.h"
#include "platform/UniqueAny.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

inline void CloseEnumeration(HANDLE handle) noexcept { WNetCloseEnum(handle); }
using UniqueEnumHandle = UniqueAny<HANDLE, CloseEnumeration>;

// 512 records of 32 bytes, as the provider is asked for at every read.
constexpr DWORD kEnumBufferBytes = 16384;

NetResource CopyRecord(const NETRESOURCEW& record) {
  return NetResource{record.dwScope,
                     record.dwType,
                     record.dwDisplayType,
                     record.dwUsage,
                     FromWide(record.lpLocalName),
                     FromWide(record.lpRemoteName),
                     FromWide(record.lpComment),
                     FromWide(record.lpProvider)};
}

class WindowsEnumeration final : public ResourceEnumeration {
 public:
  explicit WindowsEnumeration(HANDLE handle) : handle_(handle) {}

  std::uint32_t Next(std::vector<NetResource>& records) override {
    records.clear();
    std::vector<unsigned char> buffer(kEnumBufferBytes);
    while (true) {
      DWORD count = static_cast<DWORD>(-1);
      DWORD size = static_cast<DWORD>(buffer.size());
      const DWORD result = WNetEnumResourceW(handle_.get(), &count, buffer.data(), &size);
      // A single record larger than the buffer: grow to the size asked for and read again.
      if (result == ERROR_MORE_DATA && size > buffer.size()) {
        buffer.resize(size);
        continue;
      }
      if (result != NO_ERROR) return result;
      const auto* first = reinterpret_cast<const NETRESOURCEW*>(buffer.data());
      for (DWORD i = 0; i < count; ++i) records.push_back(CopyRecord(first[i]));
      return NO_ERROR;
    }
  }

 private:
  UniqueEnumHandle handle_;
};

}  // namespace

std::uint32_t WindowsNetworkProvider::OpenEnum(std::uint32_t scope, std::uint32_t type, std::uint32_t usage,
                                               const NetResource* container,
                                               std::unique_ptr<ResourceEnumeration>& enumeration) {
  std::wstring local, remote, comment, provider;
  NETRESOURCEW record{};
  if (container != nullptr) {
    local = ToWide(container->LocalName);
    remote = ToWide(container->RemoteName);
    comment = ToWide(container->Comment);
    provider = ToWide(container->Provider);
    record.dwScope = container->Scope;
    record.dwType = container->Type;
    record.dwDisplayType = container->DisplayType;
    record.dwUsage = container->Usage;
    record.lpLocalName = local.empty() ? nullptr : local.data();
    record.lpRemoteName = remote.empty() ? nullptr : remote.data();
    record.lpComment = comment.empty() ? nullptr : comment.data();
    record.lpProvider = provider.empty() ? nullptr : provider.data();
  }
  HANDLE handle = nullptr;
  const DWORD result = WNetOpenEnumW(scope, type, usage, container != nullptr ? &record : nullptr, &handle);
  if (result != NO_ERROR) return result;
  enumeration = std::make_unique<WindowsEnumeration>(handle);
  return NO_ERROR;
}

std::uint32_t WindowsNetworkProvider::AddConnection(const std::optional<Text>& localName, const Text& remote,
                                                    const Text* user, const Text* password) {
  std::wstring local = localName ? ToWide(*localName) : std::wstring();
  std::wstring remoteName = ToWide(remote);
  NETRESOURCEW record{};
  record.dwType = RESOURCETYPE_ANY;
  record.lpLocalName = localName ? local.data() : nullptr;
  record.lpRemoteName = remoteName.data();
  std::wstring userName = user != nullptr ? ToWide(*user) : std::wstring();
  std::wstring secret = password != nullptr ? ToWide(*password) : std::wstring();
  const DWORD result = WNetAddConnection2W(&record, password != nullptr ? secret.c_str() : nullptr,
                                           user != nullptr ? userName.c_str() : nullptr, 0);
  WipeString(secret);
  return result;
}

std::uint32_t WindowsNetworkProvider::CancelConnection(const Text& name, bool force) {
  return WNetCancelConnection2W(ToWide(name).c_str(), 0, force ? TRUE : FALSE);
}

std::optional<Text> WindowsNetworkProvider::ConnectionUser(const Text& name) {
  wchar_t user[256 + 1 + 256 + 1] = {};  // domain\user at most
  DWORD length = static_cast<DWORD>(std::size(user));
  if (WNetGetUserW(ToWide(name).c_str(), user, &length) != NO_ERROR || user[0] == L'\0') return std::nullopt;
  return FromWide(user);
}

}  // namespace velloway
