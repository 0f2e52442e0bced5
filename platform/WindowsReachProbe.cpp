// Name resolution and TCP connection attempts, each within its time limit.
#include "platform/WindowsReachProbe.h"

#include <winsock2.h>
#include <ws2tcpip.h>

#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "platform/WinText.h"

namespace velloway {
namespace {

// A resolver that does not answer in this time counts as not knowing the name; a port as not answering.
constexpr auto kResolveLimit = std::chrono::seconds(3);
constexpr long kConnectLimitSeconds = 2;
// A name may stand for several addresses (IPv6 and IPv4): a few are tried, not all.
constexpr int kAddressesTried = 3;

class WinsockSession {
 public:
  WinsockSession() noexcept {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }
  ~WinsockSession() {
    if (started_) WSACleanup();
  }
  WinsockSession(const WinsockSession&) = delete;
  WinsockSession& operator=(const WinsockSession&) = delete;
  bool Started() const noexcept { return started_; }

 private:
  bool started_ = false;
};

class AddressList {
 public:
  AddressList(const std::wstring& host, const wchar_t* port) noexcept {
    ADDRINFOW hints{};
    hints.ai_family = AF_UNSPEC;
    hints.ai_socktype = SOCK_STREAM;
    hints.ai_protocol = IPPROTO_TCP;
    if (GetAddrInfoW(host.c_str(), port, &hints, &first_) != 0) first_ = nullptr;
  }
  ~AddressList() {
    if (first_ != nullptr) FreeAddrInfoW(first_);
  }
  AddressList(const AddressList&) = delete;
  AddressList& operator=(const AddressList&) = delete;
  const ADDRINFOW* First() const noexcept { return first_; }

 private:
  ADDRINFOW* first_ = nullptr;
};

class Socket {
 public:
  explicit Socket(const ADDRINFOW& address) noexcept
      : socket_(socket(address.ai_family, address.ai_socktype, address.ai_protocol)) {}
  ~Socket() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
  }
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  SOCKET get() const noexcept { return socket_; }

 private:
  SOCKET socket_;
};

// A connection attempt that gives up after kConnectLimitSeconds: non-blocking, then waited for.
bool ConnectsInTime(const ADDRINFOW& address) {
  Socket connection(address);
  if (connection.get() == INVALID_SOCKET) return false;
  u_long nonBlocking = 1;
  if (ioctlsocket(connection.get(), FIONBIO, &nonBlocking) != 0) return false;
  if (connect(connection.get(), address.ai_addr, static_cast<int>(address.ai_addrlen)) == 0) return true;
  if (WSAGetLastError() != WSAEWOULDBLOCK) return false;
  fd_set writable;
  FD_ZERO(&writable);
  FD_SET(connection.get(), &writable);
  fd_set failed;
  FD_ZERO(&failed);
  FD_SET(connection.get(), &failed);
  timeval limit{kConnectLimitSeconds, 0};
  if (select(0, nullptr, &writable, &failed, &limit) <= 0 || !FD_ISSET(connection.get(), &writable)) return false;
  int error = 0;
  int length = sizeof(error);
  return getsockopt(connection.get(), SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) == 0 &&
         error == 0;
}

}  // namespace

bool WindowsReachProbe::Resolves(const Text& host) const {
  // The resolver has no time limit of its own: it runs on a thread of its own, which is left to finish
  // by itself when it takes too long.
  struct Answer {
    std::mutex lock;
    std::condition_variable done;
    bool answered = false;
    bool resolves = false;
  };
  auto answer = std::make_shared<Answer>();
  std::thread([answer, name = ToWide(host)] {
    const WinsockSession winsock;
    const bool resolves = winsock.Started() && AddressList(name, nullptr).First() != nullptr;
    const std::lock_guard<std::mutex> hold(answer->lock);
    answer->answered = true;
    answer->resolves = resolves;
    answer->done.notify_one();
  }).detach();
  std::unique_lock<std::mutex> hold(answer->lock);
  answer->done.wait_for(hold, kResolveLimit, [&] { return answer->answered; });
  return answer->answered && answer->resolves;
}

bool WindowsReachProbe::Accepts(const Text& host, std::uint16_t port) const {
  const WinsockSession winsock;
  if (!winsock.Started()) return false;
  const AddressList addresses(ToWide(host), std::to_wstring(port).c_str());
  int tried = 0;
  for (const ADDRINFOW* address = addresses.First(); address != nullptr && tried < kAddressesTried;
       address = address->ai_next, ++tried) {
    if (ConnectsInTime(*address)) return true;
  }
  return false;
}

}  // namespace velloway
