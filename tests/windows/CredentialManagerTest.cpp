// Passwords in Windows' Credential Manager, through the real edit dialog, Credential Manager and a connect click.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>
#include <wincred.h>

#include <functional>
#include <optional>
#include <string>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "core/U_crypto.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::Click;
using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowText;
using testing::WindowWatcher;

// Read with the plain calls, not the program's own layer: what any program of the user would find.
struct StoredCredential {
  std::wstring password;
  DWORD persist = 0;
};
std::optional<StoredCredential> ReadCredential(const std::wstring& key) {
  PCREDENTIALW credential = nullptr;
  if (!CredReadW(key.c_str(), CRED_TYPE_GENERIC, 0, &credential)) return std::nullopt;
  StoredCredential stored{std::wstring(reinterpret_cast<const wchar_t*>(credential->CredentialBlob),
                                       credential->CredentialBlobSize / sizeof(wchar_t)),
                          credential->Persist};
  CredFree(credential);
  return stored;
}
std::optional<std::wstring> StoredPassword(const std::wstring& key) {
  const auto stored = ReadCredential(key);
  if (!stored) return std::nullopt;
  return stored->password;
}
void WriteCredential(const std::wstring& key, const std::wstring& password) {
  std::wstring target = key;
  CREDENTIALW credential{};
  credential.Type = CRED_TYPE_GENERIC;
  credential.TargetName = target.data();
  credential.Persist = CRED_PERSIST_LOCAL_MACHINE;
  credential.CredentialBlobSize = static_cast<DWORD>(password.size() * sizeof(wchar_t));
  credential.CredentialBlob = reinterpret_cast<BYTE*>(const_cast<wchar_t*>(password.data()));
  ASSERT_TRUE(CredWriteW(&credential, 0)) << GetLastError();
}

bool Ticked(HWND box) { return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED; }
void Tick(HWND box, bool on) { SendMessageW(box, BM_SETCHECK, on ? BST_CHECKED : BST_UNCHECKED, 0); }

class CredentialManagerTest : public testing::StandInWindowTest {
 protected:
  // The prefix's Credential Manager outlives each test: every key a test uses starts and ends absent.
  static constexpr const wchar_t* kKeys[] = {
      L"Velloway:yamada@\\\\srv\\cm", L"Velloway:u@\\\\srv\\a",   L"Velloway:u@\\\\srv\\a3",
      L"Velloway:v@\\\\srv\\a",       L"Velloway:u@\\\\srv\\old",
  };
  void SetUp() override {
    for (const wchar_t* key : kKeys) CredDeleteW(key, CRED_TYPE_GENERIC, 0);
  }
  void TearDown() override {
    StandInWindowTest::TearDown();
    for (const wchar_t* key : kKeys) CredDeleteW(key, CRED_TYPE_GENERIC, 0);
  }
  void StartWith(const std::string& settings, const StandInNetwork& network = StandInNetwork()) {
    Start(network, settings);
    editor().RowsChanged();  // as showing the editor does
  }

  SettingsList& settings() { return running_->app().Settings; }
  std::string FileBytes() {
    return testing::ReadBytes(FromWide(testing::SettingsFilePath().c_str())).value_or("(none)");
  }

  // Opens the edit dialog on row (or an empty one for -1), lets fill see and change it, then OK.
  void EditWithOk(int row, const std::function<void()>& fill) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window != form().Handle()) return;
      fill();
      PostClick(form().B_OK());
    });
    if (row < 0) {
      Click(editor().B_Add());
    } else {
      Select(row);
      Click(editor().B_Edit());
    }
  }
  void DeleteRow(int row) {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (seen.className == L"#32770") WindowWatcher::Answer(window, IDYES);
    });
    Select(row);
    Click(editor().B_Delete());
  }
  // Shows the editor and leaves it by B_Close, which saves.
  void CloseEditor() {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window == editor().Handle()) PostClick(editor().B_Close());
    });
    SendMessageW(main().B_AddButton(), BM_CLICK, 0, 0);
    ASSERT_FALSE(IsWindowVisible(editor().Handle()));
  }
};

// A new row goes to Credential Manager: the file holds an empty Pass, the user's entry holds the password,
// and a connect click sends it.
TEST_F(CredentialManagerTest, NewRowsPasswordIsInCredentialManagerAndAConnectClickSendsIt) {
  StartWith("", StandInNetwork().AddAccountShare(u"\\\\srv\\cm", u"yamada", u"秘密pw"));
  bool boxOn = false;
  HWND afterPass = nullptr;
  EditWithOk(-1, [&] {
    boxOn = Ticked(form().CK_CredentialManager());
    afterPass = GetNextDlgTabItem(form().Handle(), form().E_Pass(), FALSE);
    SetWindowTextW(form().E_Name(), L"cm");
    SetWindowTextW(form().E_Folder(), L"\\\\srv\\cm");
    SetWindowTextW(form().E_ID(), L"yamada");
    SetWindowTextW(form().E_Pass(), L"秘密pw");
  });
  EXPECT_TRUE(boxOn);
  EXPECT_EQ(afterPass, form().CK_CredentialManager());
  EXPECT_EQ(WindowText(form().CK_CredentialManager()), L"Windows の資格情報マネージャーに保存する（推奨）");
  CloseEditor();
  EXPECT_EQ(FileBytes(), "cm,,\\\\srv\\cm,yamada,\r\n");
  const auto stored = ReadCredential(L"Velloway:yamada@\\\\srv\\cm");
  ASSERT_TRUE(stored);
  EXPECT_EQ(stored->password, L"秘密pw");
  EXPECT_EQ(stored->persist, static_cast<DWORD>(CRED_PERSIST_LOCAL_MACHINE));

  TF_ConnectionDialog& dialog = running_->app().F_ConnectionDialog;
  std::wstring shown;
  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
      if (window != dialog.Handle()) return;
      shown = WindowText(dialog.E_Pass());
      PostClick(dialog.B_Ok());
    });
    SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
    ASSERT_TRUE(running_->WaitForNetwork());
  }
  EXPECT_EQ(shown, L"秘密pw");
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->User, Text(u"yamada"));
  EXPECT_EQ(StandInNetwork::LastAttempt()->Password, Text(u"秘密pw"));
  EXPECT_EQ(main().StatusText(), u"認証完了");
}

// A row with an old Pass opens with the box off; an untouched OK keeps the Pass byte for byte and stores
// nothing, and ticking the box moves the password out of the file.
TEST_F(CredentialManagerTest, OldPassIsKeptUntouchedAndTickingTheBoxMovesIt) {
  StartWith("old,,\\\\srv\\old,u,\r\n");
  const Text pass = EncryptPassword(u"古いpw", running_->app().Crypto);
  ASSERT_EQ(pass.size(), 32u);
  settings().SetRow(0, ButtonSetting{u"old", u"", u"\\\\srv\\old", u"u", pass});
  bool boxOn = true;
  std::wstring shown;
  EditWithOk(0, [&] {
    boxOn = Ticked(form().CK_CredentialManager());
    shown = WindowText(form().E_Pass());
  });
  EXPECT_FALSE(boxOn);
  EXPECT_EQ(shown, L"古いpw");
  EXPECT_EQ(settings().Row(0).Pass, pass);
  EXPECT_FALSE(StoredPassword(L"Velloway:u@\\\\srv\\old"));

  EditWithOk(0, [&] { Tick(form().CK_CredentialManager(), true); });
  EXPECT_EQ(settings().Row(0).Pass, u"");
  EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\old"), std::wstring(L"古いpw"));
  CloseEditor();
  EXPECT_EQ(FileBytes(), "old,,\\\\srv\\old,u,\r\n");

  // Opened again it shows the moved password, with the box on.
  EditWithOk(0, [&] {
    boxOn = Ticked(form().CK_CredentialManager());
    shown = WindowText(form().E_Pass());
  });
  EXPECT_TRUE(boxOn);
  EXPECT_EQ(shown, L"古いpw");
}

// The key follows Folder and ID: a rename or a move keeps the entry; an edit of Folder or of ID writes the
// new key and, once saved, deletes the old one.
TEST_F(CredentialManagerTest, RenameAndMoveKeepTheEntryAndAFolderOrIdEditMovesIt) {
  struct Case {
    const wchar_t* folder;
    const wchar_t* id;
    const wchar_t* newKey;
  };
  for (const Case& edit :
       {Case{L"\\\\srv\\a3", L"u", L"Velloway:u@\\\\srv\\a3"}, Case{L"\\\\srv\\a", L"v", L"Velloway:v@\\\\srv\\a"}}) {
    SCOPED_TRACE(::testing::Message() << edit.newKey);
    WriteCredential(L"Velloway:u@\\\\srv\\a", L"pa");
    StartWith("a,,\\\\srv\\a,u,\r\nb,,\\\\srv\\b,w,\r\n");
    std::wstring shown;
    EditWithOk(0, [&] {
      shown = WindowText(form().E_Pass());
      SetWindowTextW(form().E_Name(), L"a2");
    });
    EXPECT_EQ(shown, L"pa");
    Select(0);
    Click(editor().B_Down());
    ASSERT_EQ(settings().Row(1).Name, u"a2");
    CloseEditor();
    EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\a"), std::wstring(L"pa"));

    EditWithOk(1, [&] {
      SetWindowTextW(form().E_Folder(), edit.folder);
      SetWindowTextW(form().E_ID(), edit.id);
    });
    EXPECT_EQ(StoredPassword(edit.newKey), std::wstring(L"pa"));
    EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\a"), std::wstring(L"pa")) << "nothing is deleted before the save";
    CloseEditor();
    EXPECT_FALSE(StoredPassword(L"Velloway:u@\\\\srv\\a"));
    EXPECT_EQ(StoredPassword(edit.newKey), std::wstring(L"pa"));
    running_.reset();
    StandInNetwork::Clear();
  }
}

// Deleting a row deletes its entry on save, unless another row still uses that key (Windows ignores the case
// of the letters); leaving without saving after a failed save loses nothing.
TEST_F(CredentialManagerTest, DeletingARowDeletesItsEntryOnceSavedAndUnused) {
  WriteCredential(L"Velloway:u@\\\\srv\\a", L"pa");
  StartWith("a,,\\\\srv\\a,u,\r\nsame,,\\\\SRV\\A,U,\r\n");
  DeleteRow(0);
  CloseEditor();
  EXPECT_EQ(FileBytes(), "same,,\\\\SRV\\A,U,\r\n");
  EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\a"), std::wstring(L"pa")) << "the other row still uses it";

  // The last row deleted, the save fails and the user leaves without saving: the row is back, and so must
  // its password be.
  HANDLE holder = CreateFileW(testing::SettingsFilePath().c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
  bool deleted = false;
  {
    WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
      if (window == editor().Handle() && !deleted) {
        deleted = true;
        Select(0);
        PostClick(editor().B_Delete());
      }
      if (seen.className != L"#32770") return;
      if (seen.text == L"削除します。よろしいですか？") {
        WindowWatcher::Answer(window, IDYES);
        PostClick(editor().B_Close());
      } else {
        WindowWatcher::Answer(window, seen.caption == L"確認" ? IDYES : IDOK);  // the error, then leave unsaved
      }
    });
    SendMessageW(main().B_AddButton(), BM_CLICK, 0, 0);
  }
  CloseHandle(holder);
  ASSERT_TRUE(deleted);
  ASSERT_EQ(settings().Count(), 1u);
  EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\a"), std::wstring(L"pa"));

  DeleteRow(0);
  CloseEditor();
  EXPECT_EQ(FileBytes(), "");
  EXPECT_FALSE(StoredPassword(L"Velloway:u@\\\\srv\\a"));
}

// Unticking the box for a row in Credential Manager puts the password back into Pass and, once saved,
// deletes the entry.
TEST_F(CredentialManagerTest, UntickingTheBoxMovesThePasswordBackIntoPass) {
  WriteCredential(L"Velloway:u@\\\\srv\\a", L"pa");
  StartWith("a,,\\\\srv\\a,u,\r\n");
  bool boxOn = false;
  EditWithOk(0, [&] {
    boxOn = Ticked(form().CK_CredentialManager());
    Tick(form().CK_CredentialManager(), false);
  });
  EXPECT_TRUE(boxOn);
  EXPECT_EQ(DecryptPassword(settings().Row(0).Pass, running_->app().Crypto), u"pa");
  CloseEditor();
  EXPECT_FALSE(StoredPassword(L"Velloway:u@\\\\srv\\a"));
}

// An empty password is no password: a new row with the box on stores no entry for it, and an edit that empties a
// row's password deletes its entry, unless another row uses the same key.
TEST_F(CredentialManagerTest, AnEmptyPasswordStoresNoEntryAndEmptyingOneDeletesAnUnsharedOne) {
  StartWith("");
  bool boxOn = false;
  EditWithOk(-1, [&] {
    boxOn = Ticked(form().CK_CredentialManager());
    SetWindowTextW(form().E_Name(), L"cm");
    SetWindowTextW(form().E_Folder(), L"\\\\srv\\cm");
    SetWindowTextW(form().E_ID(), L"yamada");
  });
  EXPECT_TRUE(boxOn);
  EXPECT_FALSE(ReadCredential(L"Velloway:yamada@\\\\srv\\cm"));
  CloseEditor();
  EXPECT_EQ(FileBytes(), "cm,,\\\\srv\\cm,yamada,\r\n");
  EXPECT_FALSE(ReadCredential(L"Velloway:yamada@\\\\srv\\cm"));
  running_.reset();

  struct Case {
    std::string settings;
    std::optional<std::wstring> after;
  };
  const Case cases[] = {
      {"a,,\\\\srv\\a,u,\r\nb,,\\\\srv\\b,w,\r\n", std::nullopt},
      {"a,,\\\\srv\\a,u,\r\nsame,,\\\\SRV\\A,U,\r\n", L"pa"},  // the other row's key differs in case only
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.settings);
    WriteCredential(L"Velloway:u@\\\\srv\\a", L"pa");
    StartWith(c.settings);
    std::wstring shown;
    EditWithOk(0, [&] {
      shown = WindowText(form().E_Pass());
      SetWindowTextW(form().E_Pass(), L"");
    });
    EXPECT_EQ(shown, L"pa");
    CloseEditor();
    EXPECT_EQ(FileBytes(), c.settings);
    EXPECT_EQ(StoredPassword(L"Velloway:u@\\\\srv\\a"), c.after);
    running_.reset();
    StandInNetwork::Clear();
  }
}

// A save conflict where the user takes the file's side: the list's rows that went to the backup are gone, and
// so are the entries only they used; an entry that a row of the file uses stays.
TEST_F(CredentialManagerTest, RowsSetAsideByASaveConflictTakeTheirEntriesAlong) {
  struct Case {
    std::string outside;
    std::optional<std::wstring> after;
  };
  const Case cases[] = {
      {"a,,\\\\srv\\a,u,\r\nother,,\\\\srv\\other,,\r\n", std::nullopt},
      {"a,,\\\\srv\\a,u,\r\nsame,,\\\\SRV\\CM,YAMADA,\r\n", L"秘密pw"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.outside);
    StartWith("a,,\\\\srv\\a,u,\r\n");
    EditWithOk(-1, [&] {
      SetWindowTextW(form().E_Name(), L"cm");
      SetWindowTextW(form().E_Folder(), L"\\\\srv\\cm");
      SetWindowTextW(form().E_ID(), L"yamada");
      SetWindowTextW(form().E_Pass(), L"秘密pw");
    });
    ASSERT_EQ(StoredPassword(L"Velloway:yamada@\\\\srv\\cm"), std::wstring(L"秘密pw"));
    testing::WriteSettingsFile(c.outside);  // another Velloway saved meanwhile
    std::wstring question;
    {
      WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen& seen) {
        if (window == editor().Handle()) PostClick(editor().B_Close());
        if (seen.className != L"#32770") return;
        if (seen.caption == L"確認") question = seen.text;
        WindowWatcher::Answer(window, seen.caption == L"確認" ? IDNO : IDOK);  // the file's side, then the notice
      });
      SendMessageW(main().B_AddButton(), BM_CLICK, 0, 0);
    }
    EXPECT_NE(question.find(L"この画面にだけあるボタン:\r\n　cm（\\\\srv\\cm）"), std::wstring::npos) << question;
    EXPECT_EQ(FileBytes(), c.outside);
    EXPECT_EQ(StoredPassword(L"Velloway:yamada@\\\\srv\\cm"), c.after);
    running_.reset();
    StandInNetwork::Clear();
    DeleteFileW((testing::SettingsFilePath() + L".bak").c_str());
  }
}

}  // namespace
}  // namespace velloway
