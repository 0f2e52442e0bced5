// A connect that cannot find or reach its server says why, from what the real probes find on this machine:
// a name that does not resolve, and 127.0.0.1 with nothing, 139 or 445 listening.
#include <windows.h>
#include <gtest/gtest.h>
#include <winsock2.h>

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "StandInWindowTest.h"
#include "core/Unicode.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowWatcher;

// Listens on 127.0.0.1:port while it lives. A probe's connection is completed by the backlog, never accepted.
class Listener {
 public:
  explicit Listener(std::uint16_t port) {
    WSADATA data{};
    started_ = WSAStartup(MAKEWORD(2, 2), &data) == 0;
    socket_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(port);
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    listening_ = socket_ != INVALID_SOCKET &&
                 bind(socket_, reinterpret_cast<const sockaddr*>(&address), sizeof address) == 0 &&
                 listen(socket_, 4) == 0;
  }
  ~Listener() {
    if (socket_ != INVALID_SOCKET) closesocket(socket_);
    if (started_) WSACleanup();
  }
  Listener(const Listener&) = delete;
  Listener& operator=(const Listener&) = delete;
  bool Listening() const { return listening_; }

 private:
  bool started_ = false;
  SOCKET socket_ = INVALID_SOCKET;
  bool listening_ = false;
};

class ConnectDiagnosisTest : public testing::StandInWindowTest {
 protected:
  // Clicks the first connect button, confirms, and gives the status line once the worker is done.
  Text ConnectAndReadStatus() {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    EXPECT_TRUE(running_->WaitForNetwork());
    return main().StatusText();
  }
};

TEST_F(ConnectDiagnosisTest, EachFindingGivesOneCauseAndWhatToDo) {
  struct Case {
    const char* name;
    const char16_t* folder;
    std::uint32_t result;
    int listening;  // a port listened on, or 0
    const char16_t* status;
  };
  const Case cases[] = {
      {"unknown name", u"\\\\no-such-server.invalid\\x", 53, 0,
       u"【\\\\no-such-server.invalid】という名前のサーバーが見つかりません。サーバー名を確かめるか、VPN "
       u"に接続するか、名前の代わりに IP アドレスで指定してください"},
      {"nothing answers", u"\\\\127.0.0.1\\x", 1231, 0,
       u"【\\\\127.0.0.1】は応答しません。サーバーの電源、ファイアウォール、VPN の接続を確かめてください"},
      {"only the old port", u"\\\\127.0.0.1\\x", 53, 139,
       u"【\\\\127.0.0.1】は古い方式（SMB1）でしか応答しません。古い NAS "
       u"の可能性があります。管理者に NAS の更新か、NAS で SMB2/SMB3 を有効にするよう依頼してください"},
      {"the server answers", u"\\\\127.0.0.1\\x", 64, 445,
       u"【\\\\127.0.0.1】はファイル共有の接続に応答しています。共有名と、サーバー側の共有の設定を管理者に確かめてもら"
       u"ってください"},
      // A refusal is no question of reach: no probe, the result's own text.
      {"a refusal", u"\\\\127.0.0.1\\x", 1326, 0, u"ID、パスワードが間違っていませんか？"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    std::optional<Listener> listener;
    if (c.listening != 0) {
      listener.emplace(static_cast<std::uint16_t>(c.listening));
      ASSERT_TRUE(listener->Listening()) << "port " << c.listening << " (the tests run as root)";
    }
    const Text folder = c.folder;
    Start(StandInNetwork().AddShare(folder, c.result), "x,," + std::string(folder.begin(), folder.end()) + ",,\r\n");
    EXPECT_EQ(ConnectAndReadStatus(), Text(c.status));
    EXPECT_TRUE(shell_.targets.empty());
  }
}

// Results that are no question of reach, as a server answers them, reach the status line in their own words;
// a code of no row shows the catch-all with its number.
TEST_F(ConnectDiagnosisTest, EachRefusalSaysWhatItIs) {
  struct Case {
    std::uint32_t result;
    const char16_t* status;
  };
  const Case cases[] = {
      {1909, u"アカウントがロックされています。しばらく待つか、管理者に連絡してください"},
      {1330, u"パスワードの有効期限が切れています。パスワードを変更してから接続してください"},
      {1272,
       u"ID なし（ゲスト）の接続は Windows のセキュリティ設定で禁止されています。ユーザー名とパスワードを設定し"
       u"てください"},
      {58,
       u"サーバーと通信できる方式がありません（古い SMB1 だけの NAS や、署名の設定の違いが考えられます）。"
       u"管理者に連絡してください"},
      {4321, u"ID、パスワードが間違っていませんか？（エラー 4321）"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.result);
    Start(StandInNetwork().AddShare(u"\\\\srv\\x", c.result), "x,,\\\\srv\\x,,\r\n");
    EXPECT_EQ(ConnectAndReadStatus(), Text(c.status));
    EXPECT_TRUE(main().HasFailureDetails());
  }
}

HWND ButtonNamed(HWND dialog, const std::wstring& caption) {
  struct Search {
    const std::wstring& caption;
    HWND found = nullptr;
  } search{caption};
  EnumChildWindows(
      dialog,
      [](HWND child, LPARAM data) -> BOOL {
        auto& s = *reinterpret_cast<Search*>(data);
        if (testing::ClassOf(child) == L"Button" && testing::WindowText(child) == s.caption) s.found = child;
        return s.found == nullptr;
      },
      reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClipboardText() {
  if (!OpenClipboard(nullptr)) return L"(no clipboard)";
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

// After a failure the details open from the status line (a click) or F1; "コピー" puts them on the clipboard
// and the dialog stays until "閉じる". They hold the button, the diagnosis steps and the versions, and never
// the password. A success forgets them.
TEST_F(ConnectDiagnosisTest, TheDetailsOfAFailureOpenFromTheStatusLineAndCopyWithoutThePassword) {
  Listener oldPort(139);
  ASSERT_TRUE(oldPort.Listening());
  Start(StandInNetwork().AddShare(u"\\\\127.0.0.1\\x", 53).AddShare(u"\\\\127.0.0.1\\ok"),
        "nas,Z,\\\\127.0.0.1\\x,taro,\r\nok,,\\\\127.0.0.1\\ok,,\r\n");
  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window != dialog().Handle()) return;
      SetWindowTextW(dialog().E_Pass(), L"秘密pw");
      PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  ASSERT_TRUE(main().HasFailureDetails());
  OpenClipboard(nullptr);
  EmptyClipboard();
  CloseClipboard();

  struct Way {
    const char* name;
    std::function<void()> open;
  };
  const Way ways[] = {
      {"a click on the status line",
       [&] {
         NMHDR notice{main().StatusBar1(), static_cast<UINT_PTR>(GetDlgCtrlID(main().StatusBar1())),
                      static_cast<UINT>(NM_CLICK)};
         SendMessageW(main().Handle(), WM_NOTIFY, notice.idFrom, reinterpret_cast<LPARAM>(&notice));
       }},
      {"F1 on the focused button",
       [&] {
         SetFocus(main().ConnectButtons().at(0));
         PostMessageW(GetFocus(), WM_KEYDOWN, VK_F1, 0x003B0001);
         running_->PumpFor(300);
       }},
  };
  for (const Way& way : ways) {
    SCOPED_TRACE(way.name);
    std::vector<std::wstring> captions;
    bool copied = false;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (seen.caption != L"接続エラーの詳細") return;
      captions.push_back(seen.caption);
      testing::RunSoon([&, window] {
        PostClick(ButtonNamed(window, L"コピー"));
        testing::RunSoon([&, window] {
          copied = !ClipboardText().empty();
          EXPECT_TRUE(IsWindow(window)) << "the dialog stays open after a copy";
          PostClick(ButtonNamed(window, L"閉じる"));
        });
      });
    });
    way.open();
    EXPECT_EQ(captions.size(), 1u);
    EXPECT_TRUE(copied);
  }
  const std::wstring text = ClipboardText();
  for (const wchar_t* line :
       {L"ボタン: nas\r\n", L"フォルダ: \\\\127.0.0.1\\x\r\n", L"ドライブ: Z:\r\n", L"ユーザー名: taro\r\n",
        L"エラー番号: 53\r\n", L"サーバー名の解決: できた\r\n", L"ポート 445（SMB2/SMB3）: 応答なし\r\n",
        L"ポート 139（SMB1）: 応答あり\r\n", L"Velloway: 1.0.0\r\n", L"Windows: "}) {
    EXPECT_NE(text.find(line), std::wstring::npos) << EncodeUtf8(FromWide(line));
  }
  EXPECT_EQ(text.find(L"秘密"), std::wstring::npos);

  // A success forgets them.
  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) PostClick(dialog().B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_FALSE(main().HasFailureDetails());
}

}  // namespace
}  // namespace velloway
