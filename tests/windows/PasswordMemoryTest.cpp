// No password left in the process's memory once a dialog that showed it is gone, whichever way it was left.
#include <windows.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "SecretInMemory.h"
#include "StandInWindowTest.h"

namespace velloway {
namespace {

using testing::Click;
using testing::PostClick;
using testing::SecretInMemory;
using testing::StandInNetwork;
using testing::WindowWatcher;

// How a dialog is left, as the user's action reaches it.
struct WayOut {
  const char* name;
  std::function<void(HWND dialog, HWND okButton, HWND cancelButton)> leave;
};

const WayOut kWaysOut[] = {
    {"OK", [](HWND, HWND ok, HWND) { PostClick(ok); }},
    {"Enter", [](HWND dialog, HWND, HWND) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0); }},
    {"Cancel", [](HWND, HWND, HWND cancel) { PostClick(cancel); }},
    {"Esc", [](HWND dialog, HWND, HWND) { PostMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDCANCEL, 0), 0); }},
    {"close box", [](HWND dialog, HWND, HWND) { PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0); }},
};

class PasswordMemoryTest : public testing::StandInWindowTest {
 protected:
  // Written only scrambled: the test itself never holds it in clear.
  const SecretInMemory secret_{SecretInMemory::Scramble(L"Qv7-kesshite-nokosanai-9x")};
};

TEST_F(PasswordMemoryTest, TheConnectionDialogLeavesNoPasswordBehind) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\a"), "a,,\\\\srv\\a,,\r\n");
  TF_ConnectionDialog& dialog = running_->app().F_ConnectionDialog;
  for (const WayOut& way : kWaysOut) {
    SCOPED_TRACE(way.name);
    bool typed = false;
    {
      WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
        if (window != dialog.Handle()) return;
        secret_.Type(dialog.E_Pass());
        typed = GetWindowTextLengthW(dialog.E_Pass()) == static_cast<int>(secret_.Length());
        way.leave(dialog.Handle(), dialog.B_Ok(), dialog.B_Cancel());
      });
      SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
      ASSERT_TRUE(running_->WaitForNetwork());
    }
    ASSERT_TRUE(typed);
    EXPECT_FALSE(dialog.IsShowing());
    EXPECT_FALSE(secret_.FoundInProcessMemory());
  }
}

TEST_F(PasswordMemoryTest, TheEditDialogLeavesNoPasswordBehind) {
  Start(StandInNetwork(), "");
  TF_SettingButtonForm& form = running_->app().F_SettingButtonForm;
  TF_SettingButton& editor = running_->app().F_SettingButton;
  for (const WayOut& way : kWaysOut) {
    SCOPED_TRACE(way.name);
    bool typed = false;
    {
      WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
        if (window != form.Handle()) return;
        SetWindowTextW(form.E_Name(), L"name");
        SetWindowTextW(form.E_Folder(), L"\\\\srv\\a");
        SetWindowTextW(form.E_ID(), L"user");
        secret_.Type(form.E_Pass());
        typed = GetWindowTextLengthW(form.E_Pass()) == static_cast<int>(secret_.Length());
        way.leave(form.Handle(), form.B_OK(), form.B_Cancel());
      });
      Click(editor.B_Add());
    }
    ASSERT_TRUE(typed);
    EXPECT_FALSE(form.IsShowing());
    EXPECT_FALSE(secret_.FoundInProcessMemory());
  }
  // OK, Enter: two rows added, their passwords stored encrypted only.
  EXPECT_EQ(running_->app().Settings.Count(), 2u);
}

}  // namespace
}  // namespace velloway
