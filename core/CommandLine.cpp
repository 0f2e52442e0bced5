// The command line's parsing, the button a NAME means, and the lines of /list.
#include "core/CommandLine.h"

#include "core/NetworkProvider.h"
#include "core/ValueEscaping.h"

namespace velloway {
namespace {

bool IsSwitch(TextView argument) { return argument.size() > 1 && (argument[0] == u'/' || argument[0] == u'-'); }

ParsedCommand Refused(Text why) { return ParsedCommand{Command{}, std::move(why)}; }

}  // namespace

ParsedCommand ParseCommandLine(const std::vector<Text>& arguments) {
  Command command;
  bool expectName = false;
  for (const Text& argument : arguments) {
    if (argument.size() > kLongestName) return Refused(u"引数が長すぎます。");
    if (expectName) {
      if (IsSwitch(argument)) return Refused(u"ボタン名か \\\\サーバー\\共有 が必要です。");
      command.name = argument;
      expectName = false;
      continue;
    }
    if (!IsSwitch(argument)) return Refused(u"余分な引数があります: " + argument);
    const Text name = AsciiUpper(TextView(argument).substr(1));
    CommandKind kind = CommandKind::None;
    if (name == u"CONNECT") {
      kind = CommandKind::Connect;
    } else if (name == u"DISCONNECT") {
      kind = CommandKind::Disconnect;
    } else if (name == u"LIST") {
      kind = CommandKind::List;
    } else if (name == u"NOOPEN") {
      command.noOpen = true;
      continue;
    } else if (name == u"FORCE") {
      command.force = true;
      continue;
    } else if (name == u"SIGNIN") {
      command.signIn = true;
      continue;
    } else {
      return Refused(u"知らないスイッチです: " + argument);
    }
    if (command.kind != CommandKind::None) return Refused(u"コマンドは 1 つだけ指定してください。");
    command.kind = kind;
    expectName = kind != CommandKind::List;
  }
  if (expectName ||
      ((command.kind == CommandKind::Connect || command.kind == CommandKind::Disconnect) && command.name.empty())) {
    return Refused(u"ボタン名か \\\\サーバー\\共有 が必要です。");
  }
  if (command.noOpen && command.kind != CommandKind::Connect) return Refused(u"/noopen は /connect と使います。");
  if (command.force && command.kind != CommandKind::Disconnect) {
    return Refused(u"/force は /disconnect と使います。");
  }
  return ParsedCommand{command, Text()};
}

Text CommandUsage() {
  return u"使い方:\r\n"
         u"  Velloway.exe /connect ボタン名|\\\\サーバー\\共有 [/noopen]\r\n"
         u"  Velloway.exe /disconnect ボタン名|\\\\サーバー\\共有|X: [/force]\r\n"
         u"  Velloway.exe /list\r\n";
}

std::optional<size_t> FindButton(const ButtonRows& buttons, const Text& name) {
  for (size_t i = 0; i < buttons.Count(); ++i) {
    if (buttons.Row(i).Name == name) return i;
  }
  for (size_t i = 0; i < buttons.Count(); ++i) {
    if (SameResourceName(buttons.Row(i).Folder, name)) return i;
  }
  return std::nullopt;
}

bool IsDriveName(TextView name) {
  return name.size() == 2 && name[1] == u':' &&
         ((name[0] >= u'A' && name[0] <= u'Z') || (name[0] >= u'a' && name[0] <= u'z'));
}

Text ListLine(const ButtonSetting& row, const ButtonStatus& status) {
  // The values come from a file anyone may edit: a tab would make a column, an escape sequence a colour.
  return WithoutControls(row.Name) + u"\t" + WithoutControls(row.Drive) + u"\t" + WithoutControls(row.Folder) + u"\t" +
         WithoutControls(StatusWords(status));
}

}  // namespace velloway
