// The command line: what each argument list means or why it is refused, and which button a NAME finds.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/CommandLine.h"

namespace velloway {
namespace {

TEST(CommandLine, EachArgumentListIsACommandOrARefusal) {
  struct Case {
    std::vector<Text> arguments;
    Command command;
    bool refused;
  };
  const Text longName(kLongestName + 1, u'x');
  const Case cases[] = {
      {{}, {}, false},
      {{u"/signin"}, {CommandKind::None, u"", false, false, true}, false},
      {{u"/connect", u"経理"}, {CommandKind::Connect, u"経理"}, false},
      {{u"-CONNECT", u"\\\\srv\\share", u"/NoOpen"}, {CommandKind::Connect, u"\\\\srv\\share", true}, false},
      {{u"/noopen", u"/connect", u"a b \"c\""}, {CommandKind::Connect, u"a b \"c\"", true}, false},
      {{u"/disconnect", u"Z:", u"/force"}, {CommandKind::Disconnect, u"Z:", false, true}, false},
      {{u"/list"}, {CommandKind::List}, false},
      {{u"/connect"}, {}, true},                              // no NAME
      {{u"/connect", u""}, {}, true},                         // an empty NAME
      {{u"/connect", u"/noopen"}, {}, true},                  // a switch where NAME belongs
      {{u"/connect", u"a", u"/disconnect", u"b"}, {}, true},  // two commands
      {{u"/list", u"/list"}, {}, true},
      {{u"/connect", u"a", u"b"}, {}, true},  // an extra argument
      {{u"経理"}, {}, true},                  // no command
      {{u"/conect", u"a"}, {}, true},         // a switch nobody knows
      {{u"/"}, {}, true},
      {{u"/list", u"/force"}, {}, true},  // a switch of another command
      {{u"/disconnect", u"Z:", u"/noopen"}, {}, true},
      {{u"/connect", longName}, {}, true},
  };
  for (const Case& c : cases) {
    const ParsedCommand parsed = ParseCommandLine(c.arguments);
    const std::string shown = ::testing::PrintToString(c.arguments);
    EXPECT_EQ(!parsed.error.empty(), c.refused) << shown;
    if (!c.refused) EXPECT_EQ(parsed.command, c.command) << shown;
  }
}

TEST(CommandLine, ANameFindsTheFirstButtonByNameThenByFolder) {
  SettingsList own;
  own.Append(ButtonSetting{u"経理", u"Z", u"\\\\srv\\keiri", u"", u""});
  own.Append(ButtonSetting{u"総務", u"", u"\\\\srv\\soumu", u"", u""});
  own.Append(ButtonSetting{u"\\\\srv\\soumu", u"", u"\\\\srv\\other", u"", u""});
  const SharedButtons shared{{{u"経理", u"K", u"\\\\fs\\keiri", u"", u""}, false}};
  const ButtonRows rows(own, &shared);
  EXPECT_EQ(FindButton(rows, u"経理"), std::optional<size_t>(0));  // the shared one comes first
  EXPECT_EQ(FindButton(rows, u"総務"), std::optional<size_t>(2));
  EXPECT_EQ(FindButton(rows, u"\\\\SRV\\KEIRI"), std::optional<size_t>(1));
  EXPECT_EQ(FindButton(rows, u"\\\\srv\\soumu"), std::optional<size_t>(3));  // a Name before a Folder
  EXPECT_EQ(FindButton(rows, u"人事"), std::nullopt);
  EXPECT_TRUE(IsDriveName(u"z:"));
  EXPECT_FALSE(IsDriveName(u"Z"));
  EXPECT_FALSE(IsDriveName(u"1:"));
  EXPECT_EQ(ListLine(own.Row(0), ButtonStatus{ButtonState::Connected, u"Z:"}), u"経理\tZ\t\\\\srv\\keiri\t接続中 Z:");
}

// A handed-over command keeps each argument whole: a line break inside one can neither split it nor pass.
TEST(CommandLine, AHandedOverCommandKeepsItsArgumentsWhole) {
  const std::vector<Text> arguments{u"/disconnect", u"経理 \"A\"", u""};
  EXPECT_EQ(DecodeHandedOverArguments(EncodeHandedOverArguments(arguments)), arguments);
  const std::vector<Text> none;
  EXPECT_EQ(DecodeHandedOverArguments(EncodeHandedOverArguments(none)), none);
  struct Refused {
    const char* name;
    Text encoded;
  };
  for (const Refused& r : {Refused{"a line break inside", Text(u"/disconnect\0Z:\n/force\0", 22)},
                           Refused{"a tab", Text(u"/connect\0a\tb\0", 13)}, Refused{"no final NUL", Text(u"/list")},
                           Refused{"too long", Text(kLongestHandedOverCommand + 1, u'\0')}}) {
    EXPECT_EQ(DecodeHandedOverArguments(r.encoded), std::nullopt) << r.name;
  }
}

TEST(CommandLine, TheRunningCopysReplyCarriesItsCodeAndLines) {
  const CommandReply reply{0x20000003, {u"【経理】認証完了"}, {u"一行目", u""}};
  EXPECT_EQ(DecodeCommandReply(EncodeCommandReply(reply)), reply);
  EXPECT_EQ(DecodeCommandReply(EncodeCommandReply(CommandReply{53, {}, {}})), (CommandReply{53, {}, {}}));
  // A NUL inside a line cannot cut it short.
  EXPECT_EQ(DecodeCommandReply(EncodeCommandReply(CommandReply{0, {Text(u"a\0b", 3)}, {}}))->out,
            std::vector<Text>{u"a b"});
  EXPECT_EQ(DecodeCommandReply(Text(u"\x01")), std::nullopt);
  EXPECT_EQ(DecodeCommandReply(Text(u"\x01\0Xline\0", 8)), std::nullopt);
  EXPECT_EQ(DecodeCommandReply(Text(u"\x01\0Oline", 7)), std::nullopt);
}

// A hand-edited vlw.ini may put control characters in any field: /list shows them as spaces, as the outcome log
// does, so that a tab makes no column and an escape sequence no colour.
TEST(CommandLine, AListLineShowsControlCharactersAsSpaces) {
  struct Case {
    ButtonSetting row;
    ButtonStatus status;
    Text line;
  };
  const Case cases[] = {
      {{u"経\t理", u"Z", u"\\\\srv\\keiri", u"", u""},
       {ButtonState::NotConnected, u""},
       u"経 理\tZ\t\\\\srv\\keiri\t未接続"},
      {{u"\x1B[31m赤", u"Z\r\n", u"\\\\srv\\a\x7F\x01", u"", u""},
       {ButtonState::Connected, u"Z:\t"},
       u" [31m赤\tZ  \t\\\\srv\\a  \t接続中 Z: "},
  };
  for (const Case& c : cases) EXPECT_EQ(ListLine(c.row, c.status), c.line);
}

}  // namespace
}  // namespace velloway
