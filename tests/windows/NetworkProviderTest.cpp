// The WNet layer and the current connections walk through the real mpr, with the stand-in network
// provider installed in the Wine prefix.
#include <windows.h>
#include <gtest/gtest.h>
#include <winnetwk.h>

#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "StandInDrives.h"
#include "StandInNetwork.h"
#include "core/ConnectionEnumeration.h"
#include "platform/WindowsNetworkProvider.h"

namespace velloway {
namespace {

using testing::StandInNetwork;

// Other test programs share the prefix: leave no connections behind.
class ClearStandInNetwork : public ::testing::Environment {
 public:
  void TearDown() override { StandInNetwork::Clear(); }
};
const auto* const kClearAtExit = ::testing::AddGlobalTestEnvironment(new ClearStandInNetwork);
using Listed = std::vector<std::pair<Text, Text>>;

Listed ListConnections() {
  WindowsNetworkProvider provider;
  std::vector<Text> locals, remotes;
  EnumerateConnections(provider, nullptr, locals, remotes);
  Listed listed;
  for (size_t i = 0; i < locals.size() && i < remotes.size(); ++i) listed.emplace_back(locals[i], remotes[i]);
  EXPECT_EQ(locals.size(), remotes.size());
  return listed;
}

std::vector<NetResource> ReadLevel(std::uint32_t scope, std::uint32_t type, const NetResource* container) {
  WindowsNetworkProvider provider;
  std::unique_ptr<ResourceEnumeration> enumeration;
  EXPECT_EQ(provider.OpenEnum(scope, type, 0, container, enumeration), kNoError);
  if (!enumeration) return {};
  return ReadAllRecords(*enumeration);
}

Text ServerShare(int number) {
  const std::string digits = std::to_string(number);
  return u"\\\\fileserver\\section-" + Text(digits.begin(), digits.end());
}

TEST(CurrentConnections, ListsTheWindowsNetworksConnectionsOnlyWithEmptyLocalNameWithoutDriveLetter) {
  StandInNetwork()
      .AddConnection(u"Z:", u"\\\\srv\\経理")
      .AddForeignConnection(u"Y:", u"\\\\webhost\\dav")
      .AddConnection(u"", u"\\\\srv\\nodrive")
      .AddForeignConnection(u"", u"\\\\webhost\\folder")
      .Save();

  EXPECT_EQ(ListConnections(), (Listed{{u"Z:", u"\\\\srv\\経理"}, {u"", u"\\\\srv\\nodrive"}}));

  // The second provider's connections do reach the program; it is the walk that leaves them out.
  std::vector<Text> providers;
  for (const NetResource& record : ReadLevel(kResourceConnected, kResourceTypeDisk, nullptr)) {
    if (record.RemoteName == u"\\\\webhost\\dav") providers.push_back(record.Provider);
  }
  EXPECT_EQ(providers, std::vector<Text>{u"Web Client Network"});
}

TEST(CurrentConnections, NoneListedWithoutConnections) {
  StandInNetwork().AddForeignConnection(u"Y:", u"\\\\webhost\\dav").Save();
  EXPECT_EQ(ListConnections(), Listed{});
}

TEST(CurrentConnections, ListsEveryConnectionBeyondTheFirstBatch) {
  constexpr int kCount = 200;
  StandInNetwork network;
  network.AddForeignConnection(u"Y:", u"\\\\webhost\\dav");
  Listed expected;
  for (int i = 0; i < kCount; ++i) {
    // A few with drive letters, the rest without, as a long list would have.
    const Text local = i < 20 ? Text(1, static_cast<char16_t>(u'C' + i)) + u":" : Text();
    network.AddConnection(local, ServerShare(i));
    expected.emplace_back(local, ServerShare(i));
  }
  network.Save();

  // The program's batch of 16384 bytes cannot hold them all, so the walk must read on.
  HANDLE handle = nullptr;
  ASSERT_EQ(WNetOpenEnumW(RESOURCE_CONNECTED, RESOURCETYPE_DISK, 0, nullptr, &handle), static_cast<DWORD>(NO_ERROR));
  std::vector<unsigned char> buffer(16384);
  DWORD count = static_cast<DWORD>(-1);
  DWORD size = static_cast<DWORD>(buffer.size());
  EXPECT_EQ(WNetEnumResourceW(handle, &count, buffer.data(), &size), static_cast<DWORD>(NO_ERROR));
  EXPECT_LT(count, static_cast<DWORD>(kCount));
  WNetCloseEnum(handle);

  EXPECT_EQ(ListConnections(), expected);
}

TEST(StandInEnumeration, HonoursTheCountAskedForAndEndsWithNoMoreItems) {
  StandInNetwork().AddConnection(u"X:", ServerShare(1)).AddConnection(u"W:", ServerShare(2)).Save();
  HANDLE handle = nullptr;
  ASSERT_EQ(WNetOpenEnumW(RESOURCE_CONNECTED, RESOURCETYPE_DISK, 0, nullptr, &handle), static_cast<DWORD>(NO_ERROR));
  std::vector<unsigned char> buffer(16384);
  std::vector<DWORD> counts, results;
  for (int read = 0; read < 3; ++read) {
    DWORD count = 1;
    DWORD size = static_cast<DWORD>(buffer.size());
    results.push_back(WNetEnumResourceW(handle, &count, buffer.data(), &size));
    counts.push_back(count);
  }
  WNetCloseEnum(handle);
  EXPECT_EQ(results, (std::vector<DWORD>{NO_ERROR, NO_ERROR, ERROR_NO_MORE_ITEMS}));
  EXPECT_EQ(counts, (std::vector<DWORD>{1, 1, 0}));
}

struct ConnectCase {
  const char* Name;
  std::optional<Text> Local;
  Text Remote;
  const char16_t* User;  // null: no credentials
  const char16_t* Password;
  std::uint32_t Expected;
};

class AddConnection : public ::testing::TestWithParam<ConnectCase> {};

TEST_P(AddConnection, PassesTheCredentialsAndAnswersTheSharesCode) {
  const ConnectCase& c = GetParam();
  StandInNetwork()
      .AddShare(u"\\\\srv\\public")
      .AddAccountShare(u"\\\\srv\\経理", u"taro", u"秘密pw")
      .AddShare(u"\\\\srv\\busy", 1219)
      .AddShare(u"\\\\srv\\denied", 5)
      .AddShare(u"\\\\srv\\badpath", 53)
      .AddConnection(u"Y:", u"\\\\nas\\other")
      .Save();

  WindowsNetworkProvider provider;
  const Text user = c.User != nullptr ? Text(c.User) : Text();
  const Text password = c.Password != nullptr ? Text(c.Password) : Text();
  EXPECT_EQ(provider.AddConnection(c.Local, c.Remote, c.User != nullptr ? &user : nullptr,
                                   c.Password != nullptr ? &password : nullptr),
            c.Expected);

  const auto attempt = StandInNetwork::LastAttempt();
  ASSERT_TRUE(attempt.has_value());
  EXPECT_EQ(*attempt,
            (StandInNetwork::Attempt{c.Local, c.Remote, c.User != nullptr ? std::optional<Text>(user) : std::nullopt,
                                     c.Password != nullptr ? std::optional<Text>(password) : std::nullopt}));

  Listed expected{{u"Y:", u"\\\\nas\\other"}};
  if (c.Expected == kNoError) expected.emplace_back(c.Local.value_or(Text()), c.Remote);
  EXPECT_EQ(ListConnections(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    StandIn, AddConnection,
    ::testing::Values(ConnectCase{"OpenShareWithoutCredentials", u"Z:", u"\\\\srv\\public", nullptr, nullptr, 0},
                      ConnectCase{"WithoutDriveLetter", std::nullopt, u"\\\\srv\\public", nullptr, nullptr, 0},
                      ConnectCase{"AccountShareWithItsAccount", u"Z:", u"\\\\srv\\経理", u"taro", u"秘密pw", 0},
                      ConnectCase{"AccountShareWithWrongPassword", u"Z:", u"\\\\srv\\経理", u"taro", u"wrong", 86},
                      ConnectCase{"AccountShareWithoutCredentials", u"Z:", u"\\\\srv\\経理", nullptr, nullptr, 5},
                      ConnectCase{"DriveLetterInUse", u"Y:", u"\\\\srv\\public", nullptr, nullptr, 85},
                      ConnectCase{"SystemDriveLetter", u"C:", u"\\\\srv\\public", nullptr, nullptr, 85},
                      ConnectCase{"UnknownShare", u"Z:", u"\\\\srv\\nothing", nullptr, nullptr, 67},
                      ConnectCase{"OtherCredentialsInUse", u"Z:", u"\\\\srv\\busy", u"hanako", u"pw", 1219},
                      ConnectCase{"AccessDenied", u"Z:", u"\\\\srv\\denied", u"hanako", u"pw", 5},
                      ConnectCase{"PathNotFound", u"Z:", u"\\\\srv\\badpath", nullptr, nullptr, 53}),
    [](const ::testing::TestParamInfo<ConnectCase>& info) { return std::string(info.param.Name); });

// The stand-in logs every attempt with the flags mpr passes on, so that a test sees a connection that was to be
// remembered for the next sign-in (the program's never are: the cases above expect flags 0).
TEST(StandInAttempts, EveryAttemptIsLoggedWithItsFlags) {
  StandInNetwork().AddShare(u"\\\\srv\\badpath", 53).Save();
  NETRESOURCEW record{};
  record.dwType = RESOURCETYPE_DISK;
  wchar_t remote[] = L"\\\\srv\\badpath";
  record.lpRemoteName = remote;
  EXPECT_EQ(WNetAddConnection2W(&record, nullptr, nullptr, CONNECT_UPDATE_PROFILE), 53u);
  EXPECT_EQ(WNetAddConnection2W(&record, nullptr, nullptr, 0), 53u);
  const std::vector<StandInNetwork::Attempt> attempts = StandInNetwork::Attempts();
  ASSERT_EQ(attempts.size(), 2u);
  EXPECT_NE(attempts[0].Flags & CONNECT_UPDATE_PROFILE, 0u);
  EXPECT_EQ(attempts[1].Flags, 0u);
}

// As Windows has it: a server has connections of one user at a time; another user's connect answers 1219
// until the first one's are closed.
TEST(StandInSessions, OneServerHasOneUserAtATime) {
  StandInNetwork()
      .AddShare(u"\\\\srv\\public")
      .AddAccountShare(u"\\\\srv\\経理", u"taro", u"pw")
      .AddConnection(u"Y:", u"\\\\srv\\other", u"hanako")
      .Save();
  WindowsNetworkProvider provider;
  const Text taro = u"taro";
  const Text password = u"pw";
  EXPECT_EQ(provider.AddConnection(u"Z:", u"\\\\srv\\public", nullptr, nullptr), 1219u);
  EXPECT_EQ(provider.AddConnection(u"Z:", u"\\\\srv\\経理", &taro, &password), 1219u);
  ASSERT_EQ(provider.CancelConnection(u"Y:", false), kNoError);
  EXPECT_EQ(provider.AddConnection(u"Z:", u"\\\\srv\\経理", &taro, &password), kNoError);
  EXPECT_EQ(StandInNetwork::UserOf(u"\\\\srv\\経理"), std::optional<Text>(u"taro"));
  EXPECT_EQ(provider.AddConnection(std::nullopt, u"\\\\srv\\public", nullptr, nullptr), 1219u);
  EXPECT_EQ(provider.AddConnection(std::nullopt, u"\\\\srv\\public", &taro, &password), kNoError);
}

// The stand-in's drive letters are drives of the prefix, showing the share's folder, for as long as the
// connection lasts.
TEST(StandInDrives, ConnectionsMakeRealNetworkDrives) {
  StandInNetwork().AddShare(u"\\\\srv\\経理").AddConnection(u"Y:", u"\\\\srv\\other").Save();
  EXPECT_EQ(GetDriveTypeW(L"Y:\\"), static_cast<UINT>(DRIVE_REMOTE));

  WindowsNetworkProvider provider;
  ASSERT_EQ(provider.AddConnection(u"Z:", u"\\\\srv\\経理", nullptr, nullptr), kNoError);
  EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_REMOTE));
  const std::wstring inShare = standin::ShareFolder(L"\\\\srv\\経理") + L"\\予算.txt";
  HANDLE file = CreateFileW(inShare.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  CloseHandle(file);
  EXPECT_NE(GetFileAttributesW(L"Z:\\予算.txt"), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(inShare.c_str());

  ASSERT_EQ(provider.CancelConnection(u"Z:", false), kNoError);
  EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
  // The system drive is never the stand-in's.
  EXPECT_EQ(provider.CancelConnection(u"C:", true), static_cast<std::uint32_t>(ERROR_NOT_CONNECTED));
  EXPECT_EQ(GetDriveTypeW(L"C:\\"), static_cast<UINT>(DRIVE_FIXED));
  StandInNetwork::Clear();
  EXPECT_EQ(GetDriveTypeW(L"Y:\\"), static_cast<UINT>(DRIVE_NO_ROOT_DIR));
}

struct CancelCase {
  const char* Name;
  Text CancelName;
  bool OpenFiles;
  std::vector<bool> Forces;  // one cancellation per entry, in order
  std::vector<std::uint32_t> Expected;
  bool Remains;
};

class CancelConnection : public ::testing::TestWithParam<CancelCase> {};

TEST_P(CancelConnection, AnswersAndRemovesAsAFileServerWould) {
  const CancelCase& c = GetParam();
  StandInNetwork network;
  network.AddConnection(u"Z:", u"\\\\srv\\a").AddConnection(u"", u"\\\\srv\\b").AddConnection(u"Y:", u"\\\\srv\\c");
  if (c.OpenFiles) network.SetOpenFiles(c.CancelName);
  network.Save();

  WindowsNetworkProvider provider;
  std::vector<std::uint32_t> results;
  for (const bool force : c.Forces) results.push_back(provider.CancelConnection(c.CancelName, force));
  EXPECT_EQ(results, c.Expected);
  EXPECT_EQ(StandInNetwork::LastCancel(), (StandInNetwork::Cancel{c.CancelName, c.Forces.back()}));

  Listed expected;
  for (const auto& [local, remote] : Listed{{u"Z:", u"\\\\srv\\a"}, {u"", u"\\\\srv\\b"}, {u"Y:", u"\\\\srv\\c"}}) {
    const bool cancelled = (local.empty() ? remote : local) == c.CancelName;
    if (!cancelled || c.Remains) expected.emplace_back(local, remote);
  }
  EXPECT_EQ(ListConnections(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    StandIn, CancelConnection,
    ::testing::Values(CancelCase{"ByDriveLetter", u"Z:", false, {false}, {0}, false},
                      CancelCase{"ByRemoteNameWithoutDriveLetter", u"\\\\srv\\b", false, {false}, {0}, false},
                      CancelCase{"OpenFilesRefusedUnforced", u"Z:", true, {false}, {2401}, true},
                      CancelCase{"OpenFilesThenForced", u"Z:", true, {false, true}, {2401, 0}, false},
                      CancelCase{"NotConnected", u"X:", false, {false}, {2250}, true}),
    [](const ::testing::TestParamInfo<CancelCase>& info) { return std::string(info.param.Name); });

TEST(NetworkBrowsing, WalksWorkgroupsServersSharesAndPrinters) {
  StandInNetwork().AddUsualNeighbourhood().Save();

  // mpr makes the provider's own top entry.
  const std::vector<NetResource> top = ReadLevel(kResourceGlobalNet, kResourceTypeAny, nullptr);
  const NetResource* network = nullptr;
  for (const NetResource& record : top) {
    if (record.Provider == kWindowsNetwork) network = &record;
  }
  ASSERT_NE(network, nullptr);
  EXPECT_EQ(network->RemoteName, kWindowsNetwork);
  EXPECT_TRUE(network->IsContainer());

  const std::vector<NetResource> workgroups = ReadLevel(kResourceGlobalNet, kResourceTypeAny, network);
  ASSERT_EQ(workgroups.size(), 1u);
  EXPECT_EQ(workgroups[0].RemoteName, u"WORKGROUP");
  const std::vector<NetResource> servers = ReadLevel(kResourceGlobalNet, kResourceTypeAny, &workgroups[0]);
  ASSERT_EQ(servers.size(), 1u);
  EXPECT_EQ(servers[0].Comment, u"ファイルサーバー");
  const std::vector<NetResource> shares = ReadLevel(kResourceGlobalNet, kResourceTypeAny, &servers[0]);
  std::vector<std::pair<Text, std::uint32_t>> seen;
  for (const NetResource& record : shares) seen.emplace_back(record.RemoteName + u"|" + record.Comment, record.Type);
  EXPECT_EQ(seen, (std::vector<std::pair<Text, std::uint32_t>>{{u"\\\\SRV\\経理|", kResourceTypeDisk},
                                                               {u"\\\\SRV\\printer|2階", kResourceTypePrint}}));
}

}  // namespace
}  // namespace velloway
