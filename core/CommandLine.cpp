// The command line's parsing, the button a NAME means, and the lines of /list.
#include "core/CommandLine.h"

#include <utility>

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

Text EncodeHandedOverArguments(const std::vector<Text>& arguments) {
  Text encoded;
  for (const Text& argument : arguments) {
    encoded += argument;
    encoded += u'\0';
  }
  return encoded;
}

std::optional<std::vector<Text>> DecodeHandedOverArguments(TextView encoded) {
  if (encoded.size() > kLongestHandedOverCommand || (!encoded.empty() && encoded.back() != u'\0')) return std::nullopt;
  std::vector<Text> arguments;
  for (size_t start = 0; start < encoded.size();) {
    const size_t end = encoded.find(u'\0', start);
    const TextView argument = encoded.substr(start, end - start);
    if (HasControlCharacter(argument)) return std::nullopt;
    arguments.emplace_back(argument);
    start = end + 1;
  }
  return arguments;
}

Text EncodeCommandReply(const CommandReply& reply) {
  Text encoded{static_cast<char16_t>(reply.code & 0xFFFF), static_cast<char16_t>(reply.code >> 16)};
  for (const auto& [tag, lines] : {std::pair{u'O', &reply.out}, std::pair{u'E', &reply.error}}) {
    for (const Text& line : *lines) {
      encoded += tag;
      // A line is text without NULs: one in it would end it early on the other side.
      for (const char16_t c : line) encoded += c == u'\0' ? u' ' : c;
      encoded += u'\0';
    }
  }
  return encoded;
}

std::optional<CommandReply> DecodeCommandReply(TextView encoded) {
  if (encoded.size() < 2 || (encoded.size() > 2 && encoded.back() != u'\0')) return std::nullopt;
  CommandReply reply;
  reply.code = static_cast<std::uint32_t>(encoded[0]) | (static_cast<std::uint32_t>(encoded[1]) << 16);
  for (size_t start = 2; start < encoded.size();) {
    const size_t end = encoded.find(u'\0', start);
    const char16_t tag = encoded[start];
    if (tag != u'O' && tag != u'E') return std::nullopt;
    (tag == u'O' ? reply.out : reply.error).emplace_back(encoded.substr(start + 1, end - start - 1));
    start = end + 1;
  }
  return reply;
}

}  // namespace velloway
