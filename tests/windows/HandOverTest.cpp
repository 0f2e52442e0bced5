// A command handed over by another start, through the real main window: it never enters what the user has open,
// keeps each argument whole, is refused unread when too long, and its reply says what a copy of its own says.
#include <windows.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "SettingsFileFixture.h"
#include "StandInWindowTest.h"
#include "TestPlatform.h"
#include "core/CommandLine.h"
#include "platform/SingleInstance.h"
#include "platform/WinText.h"

namespace velloway {
namespace {

using testing::PostClick;
using testing::StandInNetwork;
using testing::WindowWatcher;

class HandOverTest : public testing::StandInWindowTest {
 protected:
  // Hands the encoded command to the main window as a second start does; the reply goes to reply's window.
  LRESULT HandOver(const CommandReplyWindow& reply, const std::wstring& encoded) {
    COPYDATASTRUCT data{};
    data.dwData = kCommandCopyData;
    data.cbData = static_cast<DWORD>(encoded.size() * sizeof(wchar_t));
    data.lpData = const_cast<wchar_t*>(encoded.data());
    return SendMessageW(main().Handle(), WM_COPYDATA, reinterpret_cast<WPARAM>(reply.Handle()),
                        reinterpret_cast<LPARAM>(&data));
  }
  LRESULT HandOver(const CommandReplyWindow& reply, const std::vector<Text>& arguments) {
    return HandOver(reply, ToWide(EncodeHandedOverArguments(arguments)));
  }
  // The reply, once the command has run.
  std::optional<CommandReply> ReplyOf(const CommandReplyWindow& reply) {
    if (!running_->PumpUntil([&] { return reply.Replied(); }, 10000)) return std::nullopt;
    return DecodeCommandReply(FromWide(reply.Reply()));
  }
};

constexpr LRESULT Answered(std::uint32_t code) { return kCommandAnswered | code; }

// While the dialog of a click on one button is open, a command for another is answered busy at once: the dialog
// keeps the user's button, and its OK connects that one alone. Nor does the dialog open a second time inside.
TEST_F(HandOverTest, ACommandNeverEntersTheUsersOpenDialog) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\a").AddShare(u"\\\\srv\\b"), "a,,\\\\srv\\a,,\r\nb,,\\\\srv\\b,,\r\n");
  CommandReplyWindow reply(main().Handle());
  LRESULT answer = 0;
  ModalResult nested = ModalResult::Ok;
  std::wstring folderAfter;
  WindowWatcher watcher([&](HWND window, const WindowWatcher::Seen&) {
    if (window != dialog().Handle()) return;
    answer = HandOver(reply, std::vector<Text>{u"/connect", u"b"});
    nested = dialog().ShowModal();  // what a queued click would do: refused, not a loop inside this one
    folderAfter = testing::WindowText(dialog().E_Folder());
    PostClick(dialog().B_Ok());
  });
  SendMessageW(main().ConnectButtons().at(0), BM_CLICK, 0, 0);
  ASSERT_TRUE(running_->WaitForNetwork());
  EXPECT_EQ(answer, Answered(170));
  EXPECT_EQ(nested, ModalResult::None);
  EXPECT_EQ(folderAfter, L"\\\\srv\\a");
  EXPECT_EQ(StandInNetwork::Attempts(),
            (std::vector<StandInNetwork::Attempt>{{std::nullopt, u"\\\\srv\\a", std::nullopt, std::nullopt, 0}}));
  running_->PumpFor(300);
  EXPECT_FALSE(reply.Replied());  // nothing was run for it later either
  EXPECT_EQ(main().StatusText(), u"認証完了");
}

// An argument with a line break stays one argument and is refused; so is a message far beyond any command, before
// it is read. Nothing is closed, and the window goes on.
TEST_F(HandOverTest, AnArgumentStaysWholeAndAnOversizedMessageIsRefusedUnread) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\z").AddConnection(u"Z:", u"\\\\srv\\z").SetOpenFiles(u"Z:"),
        "z,Z,\\\\srv\\z,,\r\n");
  CommandReplyWindow reply(main().Handle());
  EXPECT_EQ(HandOver(reply, std::vector<Text>{u"/disconnect", u"Z:\n/force"}), Answered(kExitUsage));
  std::wstring huge(4 * 1024 * 1024 / sizeof(wchar_t), L'a');
  huge.back() = L'\0';
  EXPECT_EQ(HandOver(reply, huge), Answered(kExitUsage));
  running_->PumpFor(300);
  EXPECT_FALSE(StandInNetwork::LastCancel().has_value());
  EXPECT_EQ(StandInNetwork::CurrentConnections(), (std::vector<StandInNetwork::Connection>{{u"Z:", u"\\\\srv\\z"}}));
  EXPECT_TRUE(IsWindow(main().Handle()));
  EXPECT_FALSE(reply.Replied());
}

// Taken when nothing is open: it runs after the message that brought it, and its reply carries the exit code and
// the line a copy of its own prints.
TEST_F(HandOverTest, ATakenCommandRepliesWithWhatACopyOfItsOwnPrints) {
  Start(StandInNetwork().AddShare(u"\\\\srv\\b").AddShare(u"\\\\srv\\gone", 53),
        "b,,\\\\srv\\b,,\r\ng,,\\\\srv\\gone,,\r\n");
  CommandReplyWindow connected(main().Handle());
  EXPECT_EQ(HandOver(connected, std::vector<Text>{u"/connect", u"b", u"/noopen"}), kCommandQueued);
  EXPECT_EQ(ReplyOf(connected), (CommandReply{0, {u"【b】認証完了"}, {}}));
  EXPECT_EQ(main().ConnectButtonStatus(0).state, ButtonState::Connected);
  EXPECT_TRUE(shell_.targets.empty());

  CommandReplyWindow failed(main().Handle());
  EXPECT_EQ(HandOver(failed, std::vector<Text>{u"/connect", u"g"}), kCommandQueued);
  const std::optional<CommandReply> answer = ReplyOf(failed);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->code, 53u);
  ASSERT_EQ(answer->error.size(), 1u);
  EXPECT_TRUE(answer->error[0].starts_with(u"【g】")) << ::testing::PrintToString(ToWide(answer->error[0]));

  CommandReplyWindow unknown(main().Handle());
  EXPECT_EQ(HandOver(unknown, std::vector<Text>{u"/connect", u"人事"}), kCommandQueued);
  EXPECT_EQ(ReplyOf(unknown), (CommandReply{kExitUnknownName, {}, {u"ボタン【人事】はありません。"}}));
}

// A close handed over is the user's close: the auto-connect button on it waits for the user, whatever wakes it.
TEST_F(HandOverTest, AHandedOverCloseHoldsAutoConnectBack) {
  const std::wstring settings = testing::SettingsFilePath();
  const std::wstring autoFile = settings.substr(0, settings.rfind(L'\\')) + L"\\vlw-auto.txt";
  CreateDirectoryW(settings.substr(0, settings.rfind(L'\\')).c_str(), nullptr);
  testing::WriteBytes(FromWide(autoFile.c_str()), "Z\t\\\\srv\\x\r\n");
  Start(StandInNetwork().AddShare(u"\\\\srv\\x"), "x,Z,\\\\srv\\x,,\r\n");
  ASSERT_TRUE(running_->PumpUntil([&] { return main().ConnectButtonStatus(0).state == ButtonState::Connected; }));

  CommandReplyWindow reply(main().Handle());
  EXPECT_EQ(HandOver(reply, std::vector<Text>{u"/disconnect", u"Z:"}), kCommandQueued);
  const std::optional<CommandReply> answer = ReplyOf(reply);
  ASSERT_TRUE(answer.has_value());
  EXPECT_EQ(answer->code, 0u);
  SendMessageW(main().Handle(), WM_POWERBROADCAST, 0x12 /* PBT_APMRESUMEAUTOMATIC */, 0);
  running_->PumpFor(4000);
  EXPECT_TRUE(StandInNetwork::CurrentConnections().empty());
  EXPECT_EQ(main().ConnectButtonStatus(0).state, ButtonState::NotConnected);
  DeleteFileW(autoFile.c_str());
}

}  // namespace
}  // namespace velloway
