// The command line's arguments as Windows splits them, and where its output and errors go: the standard handles when
// they lead somewhere (a file or a pipe, as scripts redirect them), else the console the program was started from, else
// (errors only) a small message box. Text for a file or a pipe is in the ANSI code page, as Windows' own commands write
// it.
#pragma once

#include <windows.h>

#include <vector>

#include "core/Text.h"

namespace velloway {

// The arguments after the program's name.
std::vector<Text> CommandArguments();

class CommandOutput {
 public:
  CommandOutput() noexcept;
  CommandOutput(const CommandOutput&) = delete;
  CommandOutput& operator=(const CommandOutput&) = delete;

  void Out(const Text& line);    // a line of output
  void Error(const Text& line);  // a line telling what went wrong

 private:
  void Write(HANDLE handle, const Text& line);
  HANDLE out_ = nullptr;
  HANDLE error_ = nullptr;
  bool console_ = false;  // out_ and error_ are the console's
};

}  // namespace velloway
