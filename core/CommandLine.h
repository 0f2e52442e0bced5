// The program's command line: one command for scripts, shortcuts and sign-in (connect a button, close a
// connection, list the buttons), its exit codes, and which button a NAME means.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "core/ButtonRows.h"
#include "core/ButtonStates.h"
#include "core/Text.h"

namespace velloway {

enum class CommandKind { None, Connect, Disconnect, List };

struct Command {
  CommandKind kind = CommandKind::None;
  Text name;            // the button's Name or Folder, or (for a close) a drive such as "Z:"
  bool noOpen = false;  // /noopen: a connect opens nothing
  bool force = false;   // /force: a close closes files left open without asking
  bool signIn = false;  // /signin: started by Windows at sign-in
  bool operator==(const Command&) const = default;
};

struct ParsedCommand {
  Command command;
  Text error;  // why the command line is not understood; empty when it is
};

// Exit codes of our own, beside 0 and the Windows result codes of a connect or a close. Bit 29 marks codes that
// are an application's, so that they never read as a Windows code.
inline constexpr std::uint32_t kExitUsage = 0x20000001;        // the command line is not understood
inline constexpr std::uint32_t kExitUnknownName = 0x20000002;  // NAME matches no button (and is no drive)
inline constexpr std::uint32_t kExitCancelled = 0x20000003;    // the user said no (the dialog, the question)
// ERROR_BUSY: the running copy is in the middle of something, the user's or another command.
inline constexpr std::uint32_t kErrorBusy = 170;

// A NAME longer than this is refused: no button's Name or Folder comes near it.
inline constexpr size_t kLongestName = 1024;

// The arguments after the program's name, as Windows splits them (CommandLineToArgvW). Switches start with / or
// -, either case. No arguments, or /signin alone: no command.
ParsedCommand ParseCommandLine(const std::vector<Text>& arguments);

// The lines telling how the command line goes (for a usage error).
Text CommandUsage();

// The first button whose Name is name, else the first whose Folder is name (as Windows compares them).
std::optional<size_t> FindButton(const ButtonRows& buttons, const Text& name);

// Whether name is a drive, "Z:" (either case).
bool IsDriveName(TextView name);

// One line of /list: Name, Drive, Folder and the state's words, tab-separated.
Text ListLine(const ButtonSetting& row, const ButtonStatus& status);

// A command handed to the running copy: each argument followed by a NUL, so that no argument can turn into two.
// The running copy reads no more than this many characters of it; a longer one is refused unread.
inline constexpr size_t kLongestHandedOverCommand = 4096;
Text EncodeHandedOverArguments(const std::vector<Text>& arguments);
// The arguments, or none when the text is not one this program wrote: no final NUL, or a control character in
// an argument (a line break would read as another line in a log or a list).
std::optional<std::vector<Text>> DecodeHandedOverArguments(TextView encoded);

// What the running copy answers once a handed-over command is done: its exit code and the lines a copy of its
// own would have printed, on either handle.
struct CommandReply {
  std::uint32_t code = 0;
  std::vector<Text> out;
  std::vector<Text> error;
  bool operator==(const CommandReply&) const = default;
};
// The code as two characters (low half first), then each line as a tag ('O' or 'E'), its text and a NUL.
Text EncodeCommandReply(const CommandReply& reply);
std::optional<CommandReply> DecodeCommandReply(TextView encoded);

}  // namespace velloway
