// A connect button's whole road through the real dialog and the stand-in network.
#include <windows.h>
#include <gtest/gtest.h>
#include <imm.h>

#include <optional>
#include <string>
#include <vector>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "core/U_crypto.h"
#include "core/Unicode.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::PostClick;
using testing::RunSoon;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

class ConnectClickTest : public testing::StandInWindowTest {
 protected:
  // Stores a password as the editor would, in the running program's list.
  void StorePass(const Text& pass) {
    ButtonSetting row = running_->app().Settings.Row(0);
    row.Pass = pass;
    running_->app().Settings.SetRow(0, row);
  }
  Text Encrypt(const Text& password) { return EncryptPassword(password, running_->app().Crypto); }
  // Clicks connect button i; answer sees the dialog as it opens and answers it.
  void ClickConnect(size_t index, const std::function<void()>& answer) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == dialog().Handle()) answer();
    });
    SendMessageW(main().ConnectButtons().at(index), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  void Confirm() { PostClick(dialog().B_Ok()); }
};

TEST_F(ConnectClickTest, WithoutIdConnectsAsTheCurrentUserAndOpensTheDrive) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\keiri"), "keiri,Z,\\\\srv\\keiri,,\r\n");
  StorePass(Encrypt(u"stored"));
  std::wstring driveLine, folder, password;
  ClickConnect(0, [&] {
    driveLine = WindowText(dialog().L_Drive());
    folder = WindowText(dialog().E_Folder());
    password = WindowText(dialog().E_Pass());
    // Enter confirms at once.
    PostMessageW(dialog().Handle(), WM_KEYDOWN, VK_RETURN, 1);
  });
  EXPECT_EQ(driveLine, L"【Z】ドライブ割当");
  EXPECT_EQ(folder, L"\\\\srv\\keiri");
  EXPECT_EQ(password, L"stored");
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->Local, Text(u"Z:"));
  EXPECT_FALSE(StandInNetwork::LastAttempt()->User.has_value());
  EXPECT_FALSE(StandInNetwork::LastAttempt()->Password.has_value());
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_EQ(shell_.targets, std::vector<Text>{u"Z:\\"});
  ASSERT_EQ(main().ConnectionPanels().size(), 1u);
  EXPECT_EQ(WindowText(main().ConnectionPanels()[0]->Handle()), L"【Z:】\\\\srv\\keiri");
  EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_REMOTE));
}

TEST_F(ConnectClickTest, DialogOpensWithTheFocusOnOkAndItsLimitsAndTabOrder) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\x"), "x,,\\\\srv\\x,,\r\n");
  HWND focus = nullptr, label2 = nullptr;
  std::vector<HWND> tabOrder;
  LRESULT limits[3] = {}, passwordChar = 0, label2Height = 0;
  bool passInputMethod = true;
  std::wstring driveLine = L"not read";
  // Looked at once the show has completed and the focus is placed.
  ClickConnect(0, [&] {
    RunSoon([&] {
      HWND window = dialog().Handle();
      focus = GetFocus();
      HWND item = dialog().B_Ok();
      for (int i = 0; i < 5; ++i) tabOrder.push_back(item = GetNextDlgTabItem(window, item, FALSE));
      limits[0] = SendMessageW(dialog().E_Folder(), EM_GETLIMITTEXT, 0, 0);
      limits[1] = SendMessageW(dialog().E_ID(), EM_GETLIMITTEXT, 0, 0);
      limits[2] = SendMessageW(dialog().E_Pass(), EM_GETLIMITTEXT, 0, 0);
      passwordChar = SendMessageW(dialog().E_Pass(), EM_GETPASSWORDCHAR, 0, 0);
      if (HIMC context = ImmGetContext(dialog().E_Pass())) {
        ImmReleaseContext(dialog().E_Pass(), context);
      } else {
        passInputMethod = false;
      }
      label2 = FindWindowExW(window, nullptr, L"Static", L"接続認証してフォルダを開きますか？");
      LOGFONTW font{};
      GetObjectW(reinterpret_cast<HFONT>(SendMessageW(label2, WM_GETFONT, 0, 0)), sizeof(font), &font);
      label2Height = -font.lfHeight * 96 / static_cast<LONG>(GetDpiForWindow(window));
      driveLine = WindowText(dialog().L_Drive());
      // The close box counts as Cancel.
      PostMessageW(window, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
  });
  EXPECT_EQ(focus, dialog().B_Ok());
  EXPECT_EQ(tabOrder, (std::vector<HWND>{dialog().B_Cancel(), dialog().E_Folder(), dialog().E_ID(), dialog().E_Pass(),
                                         dialog().B_Ok()}));
  EXPECT_EQ(limits[0], 100);
  EXPECT_EQ(limits[1], 40);
  EXPECT_EQ(limits[2], 40);
  EXPECT_EQ(passwordChar, L'*');
  EXPECT_FALSE(passInputMethod);
  ASSERT_NE(label2, nullptr);
  EXPECT_EQ(label2Height, 16);
  EXPECT_EQ(driveLine, L"");  // no drive letter, no drive line
  EXPECT_FALSE(StandInNetwork::LastAttempt().has_value());
}

TEST_F(ConnectClickTest, RefusedPasswordIsReportedAndNothingOpens) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\x", 5), "x,,\\\\srv\\x,user,\r\n");
  ClickConnect(0, [&] {
    SetWindowTextW(dialog().E_Pass(), L"wrong");
    Confirm();
  });
  EXPECT_EQ(main().StatusText(), u"ID又はパスワードが間違っています");
  EXPECT_TRUE(shell_.targets.empty());
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->User, Text(u"user"));
  EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"wrong"));
  // The hidden dialog keeps no password in its box.
  EXPECT_EQ(WindowText(dialog().E_Pass()), L"");
}

TEST_F(ConnectClickTest, ChangedFolderIsConnectedAndTheButtonKeepsItsOwn) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\new"), "x,,\\\\srv\\old,,\r\n");
  ClickConnect(0, [&] {
    SetWindowTextW(dialog().E_Folder(), L"\\\\srv\\new");
    Confirm();
  });
  EXPECT_EQ(StandInNetwork::LastAttempt()->Remote, u"\\\\srv\\new");
  EXPECT_EQ(running_->app().Settings.Row(0).Folder, u"\\\\srv\\old");
  EXPECT_EQ(shell_.targets, std::vector<Text>{u"\\\\srv\\new"});
}

// A letter already connected leads to the share asked for only when it is that share; held by another
// share or a local drive, it is not opened and the status line names what holds it. A hand-written drive
// with a colon, spaces or in lower case is read as the letter.
TEST_F(ConnectClickTest, DriveAlreadyInUseOpensOnlyTheShareAskedFor) {
  struct Case {
    const char* settings;
    const wchar_t* heldBy;  // Z:'s connection before the click
    const char16_t* status;
    std::vector<Text> opened;
  };
  for (const Case& c : {
           Case{"x,Z,\\\\srv\\x,,\r\n", L"\\\\SRV\\x", u"既に接続済みです", {u"Z:\\"}},
           Case{"x, z: ,\\\\srv\\x,,\r\n", L"\\\\srv\\x", u"既に接続済みです", {u"Z:\\"}},
           Case{"x,Z,\\\\srv\\x,,\r\n", L"\\\\srv\\other", u"【Z:】は別の共有【\\\\srv\\other】に接続されています", {}},
           Case{"x,c,\\\\srv\\x,,\r\n", nullptr, u"【C:】ドライブは既に使用されています", {}},
       }) {
    SCOPED_TRACE(c.settings);
    StandInNetwork network;
    network.AddShare(u"\\\\srv\\x");
    if (c.heldBy != nullptr) network.AddConnection(u"Z:", FromWide(c.heldBy));
    Start(network, c.settings);
    shell_.targets.clear();
    ClickConnect(0, [&] { Confirm(); });
    ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
    EXPECT_EQ(StandInNetwork::LastAttempt()->Local, c.heldBy != nullptr ? Text(u"Z:") : Text(u"C:"));
    EXPECT_EQ(main().StatusText(), c.status);
    EXPECT_EQ(shell_.targets, c.opened);
    // Nothing new was connected: the panels are the earlier connections'.
    EXPECT_EQ(main().ConnectionPanels().size(), c.heldBy != nullptr ? 1u : 0u);
    TearDown();
  }
}

TEST_F(ConnectClickTest, UndecryptablePasswordLeavesTheBoxEmptyAndTheTypedOneIsSent) {
  Start(StandInNetwork().AddAccountShare(u"\\\\srv\\x", u"user", u"typed"), "x,,\\\\srv\\x,user,\r\n");
  // A cipher text cut short, as a damaged file would hold it.
  Text damaged = Encrypt(u"stored");
  damaged.resize(damaged.size() - 2);
  StorePass(damaged);
  std::wstring shown = L"not read";
  ClickConnect(0, [&] {
    shown = WindowText(dialog().E_Pass());
    SetWindowTextW(dialog().E_Pass(), L"typed");
    Confirm();
  });
  EXPECT_EQ(shown, L"");
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"typed"));
  EXPECT_EQ(main().StatusText(), u"認証完了");
  // The stored value is left as it was.
  EXPECT_EQ(running_->app().Settings.Row(0).Pass, damaged);
}

TEST_F(ConnectClickTest, CancelChangesNothing) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\x"), "x,Z,\\\\srv\\x,,\r\n");
  main().SetStatus(u"before");
  ClickConnect(0, [&] { PostMessageW(dialog().Handle(), WM_CLOSE, 0, 0); });
  EXPECT_EQ(main().StatusText(), u"before");
  EXPECT_FALSE(StandInNetwork::LastAttempt().has_value());
  EXPECT_TRUE(main().ConnectionPanels().empty());
}

// Two clicks queued one after the other: the second arrives while the first one's dialog is up, and must
// neither fill that dialog with its own setting nor open a second one.
TEST_F(ConnectClickTest, AClickWhileTheDialogIsOpenLeavesItAlone) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\first").AddShare(u"\\\\srv\\second"),
        "first,,\\\\srv\\first,,\r\nsecond,,\\\\srv\\second,,\r\n");
  std::vector<std::wstring> shown;
  int opened = 0;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != dialog().Handle()) return;
    ++opened;
    // Looked at once the queued second click has been dispatched by the dialog's own loop.
    RunSoon([&] {
      running_->PumpFor(100);
      shown.push_back(WindowText(dialog().E_Folder()));
      Confirm();
    });
  });
  PostMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
  PostMessageW(main().ConnectButtons().at(1), BM_CLICK, 0, 0);
  running_->PumpUntil([&] { return !shown.empty() && !dialog().IsShowing(); });
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(opened, 1);
  EXPECT_EQ(shown, std::vector<std::wstring>{L"\\\\srv\\first"});
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->Remote, u"\\\\srv\\first");
}

// The button's stored password is refused; the right one, typed into the dialog, connects. The user is asked
// once whether the button keeps it, No the default: Yes stores it where the button keeps its password (the
// file's Pass, or Credential Manager for an empty Pass), No leaves the button as it was.
// An empty password that worked after the kept one was refused leaves no entry in Credential Manager.
TEST_F(ConnectClickTest, AnEmptyPasswordThatWorkedLeavesNoEntry) {
  const Text key = u"Velloway:taro@\\\\srv\\keiri";
  Start(StandInNetwork().AddAccountShare(u"\\\\srv\\keiri", u"taro", u""), "keiri,,\\\\srv\\keiri,taro,\r\n");
  CredentialStore& credentials = running_->app().Credentials;
  ASSERT_EQ(credentials.Write(key, u"wrong"), 0u);
  std::vector<std::wstring> questions;
  for (const wchar_t* typed : {static_cast<const wchar_t*>(nullptr), L""}) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == dialog().Handle()) {
        if (typed != nullptr) SetWindowTextW(dialog().E_Pass(), typed);
        Confirm();
      } else if (seen.className == L"#32770") {
        questions.push_back(seen.text);
        WindowWatcher::Answer(window, IDYES);
      }
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  EXPECT_EQ(main().StatusText(), u"認証完了");
  EXPECT_EQ(questions, std::vector<std::wstring>{L"ボタンのパスワードを今回の内容で更新しますか？"});
  EXPECT_EQ(credentials.Read(key), std::nullopt);
}

TEST_F(ConnectClickTest, APasswordThatWorkedAfterARefusalIsOfferedToTheButtonOnce) {
  struct Case {
    const char* name;
    bool inCredentialManager;
    bool yes;
  };
  const Text key = u"Velloway:taro@\\\\srv\\keiri";
  for (const Case& c :
       {Case{"Pass, Yes", false, true}, Case{"Pass, No", false, false}, Case{"Credential Manager, Yes", true, true}}) {
    SCOPED_TRACE(c.name);
    Start(StandInNetwork().AddAccountShare(u"\\\\srv\\keiri", u"taro", u"right"), "keiri,,\\\\srv\\keiri,taro,\r\n");
    CredentialStore& credentials = running_->app().Credentials;
    credentials.Delete(key);
    if (c.inCredentialManager) {
      ASSERT_EQ(credentials.Write(key, u"wrong"), 0u);
    } else {
      StorePass(Encrypt(u"wrong"));
    }
    std::vector<std::wstring> questions;
    auto connect = [&](const wchar_t* typed) {
      WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
        if (window == dialog().Handle()) {
          if (typed != nullptr) SetWindowTextW(dialog().E_Pass(), typed);
          Confirm();
        } else if (seen.className == L"#32770") {
          questions.push_back(seen.text);
          WindowWatcher::Answer(window, c.yes ? IDYES : IDNO);
        }
      });
      SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
      ASSERT_TRUE(running_->WaitForNetwork());
    };
    connect(nullptr);
    EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"wrong"));
    EXPECT_NE(main().StatusText(), u"認証完了");
    EXPECT_TRUE(questions.empty());
    connect(L"right");
    EXPECT_EQ(main().StatusText(), u"認証完了");
    EXPECT_EQ(questions, std::vector<std::wstring>{L"ボタンのパスワードを今回の内容で更新しますか？"});

    const ButtonSetting row = running_->app().Settings.Row(0);
    const Text kept = c.yes ? u"right" : u"wrong";
    if (c.inCredentialManager) {
      EXPECT_EQ(row.Pass, u"");
      EXPECT_EQ(credentials.Read(key), std::optional<Text>(kept));
      EXPECT_EQ(testing::ReadSettingsFile(), "keiri,,\\\\srv\\keiri,taro,\r\n");
    } else {
      EXPECT_EQ(DecryptPassword(row.Pass, running_->app().Crypto), kept);
      if (c.yes) {
        EXPECT_EQ(testing::ReadSettingsFile(),
                  "keiri,,\\\\srv\\keiri,taro," + std::string(row.Pass.begin(), row.Pass.end()) + "\r\n");
      }
    }
    // Asked once: the same password typed again is not offered again.
    connect(L"right");
    EXPECT_EQ(questions.size(), 1u);
    credentials.Delete(key);
  }
}

// 1219: hanako's connection Y: holds the server. The user is asked (No the default) whether to close it and
// connect as the button's user. No leaves everything as it was; Yes closes Y: through the close (with its
// open-files question) and connects once more; a server that still refuses says why.
TEST_F(ConnectClickTest, AnotherUsersConnectionIsClosedAndTheButtonConnectedWhenTheUserSaysYes) {
  struct Case {
    const char* name;
    std::vector<int> answers;  // to each message box in turn
    bool openFiles;
    bool stillRefused;  // the server keeps a session of its own: every attempt gets 1219
    bool hanakoStays;
    const char16_t* status;
  };
  const Case cases[] = {
      {"No", {IDNO}, false, false, true, u"既に接続済みです"},
      {"Yes", {IDYES}, false, false, false, u"認証完了"},
      {"Yes, files open, force", {IDYES, IDYES}, true, false, false, u"認証完了"},
      {"Yes, files open, no force", {IDYES, IDNO}, true, false, true, nullptr},
      {"Yes, still refused",
       {IDYES},
       false,
       true,
       false,
       u"【\\\\srv】には、Velloway からは見えない別のユーザーの接続がまだ残っています（そのサーバーを開いているエクスプ"
       u"ローラーのウィンドウや、ほかのプログラム）。それらを閉じるか、サインアウトしてから、もう一度押してください"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    StandInNetwork network;
    network.AddShare(u"\\\\srv\\public").AddConnection(u"Y:", u"\\\\srv\\public", u"hanako");
    if (c.stillRefused) {
      network.AddShare(u"\\\\srv\\keiri", 1219);
    } else {
      network.AddAccountShare(u"\\\\srv\\keiri", u"taro", u"pw");
    }
    if (c.openFiles) network.SetOpenFiles(u"Y:");
    Start(network, "keiri,Z,\\\\srv\\keiri,taro,\r\n");
    StorePass(Encrypt(u"pw"));
    std::vector<std::wstring> messages;
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == dialog().Handle()) {
        Confirm();
      } else if (seen.className == L"#32770") {
        messages.push_back(seen.text);
        WindowWatcher::Answer(window, messages.size() <= c.answers.size() ? c.answers[messages.size() - 1] : IDCANCEL);
      }
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    // The closes and the retry are operations of their own, one after another.
    ASSERT_TRUE(running_->PumpUntil(
        [&] { return messages.size() >= c.answers.size() && !running_->app().Worker.Busy(); }, 15000));
    running_->PumpFor(200);
    ASSERT_TRUE(running_->WaitForNetwork());

    ASSERT_EQ(messages.size(), c.answers.size());
    EXPECT_TRUE(messages[0].starts_with(L"【\\\\srv】には別のユーザー")) << EncodeUtf8(FromWide(messages[0].c_str()));
    EXPECT_TRUE(messages[0].ends_with(L"で接続済みです。その接続を閉じて、このボタンのユーザーで接続し直しますか？"));
    if (c.openFiles) EXPECT_NE(messages[1].find(L"強制切断しますか？"), std::wstring::npos);
    if (c.status != nullptr) EXPECT_EQ(main().StatusText(), Text(c.status));
    EXPECT_EQ(StandInNetwork::UserOf(u"\\\\srv\\public").has_value(), c.hanakoStays);
    const bool connected = !c.hanakoStays && !c.stillRefused;
    EXPECT_EQ(StandInNetwork::UserOf(u"\\\\srv\\keiri"), connected ? std::optional<Text>(u"taro") : std::nullopt);
    EXPECT_EQ(shell_.targets, connected ? std::vector<Text>{u"Z:\\"} : std::vector<Text>{});
    shell_.targets.clear();
  }
}

}  // namespace
}  // namespace velloway
