// The real program under Wine, driven from outside as a user drives it: found by window classes and
// captions, clicked with the mouse, confirmed with Enter. The network is the stand-in; the shell is
// Wine's own, which opens an Explorer window on the drive.
#include <windows.h>
#include <commctrl.h>
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "OutsideDriver.h"
#include "SettingsFileFixture.h"
#include "StandInNetwork.h"

namespace velloway::testing {
namespace {

constexpr DWORD kPatience = 20000;  // ms; Wine's first start of Explorer in a prefix is slow

std::wstring ProgramPath() {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  std::wstring path(self);
  path.erase(path.rfind(L'\\') + 1);
  for (const char* c = VELLOWAY_PROGRAM; *c != '\0'; ++c) path += *c == '/' ? L'\\' : static_cast<wchar_t>(*c);
  wchar_t full[MAX_PATH] = {};
  GetFullPathNameW(path.c_str(), MAX_PATH, full, nullptr);
  return full;
}

using outside::ClassOf;
using outside::PressKey;
using outside::TextOf;

bool WaitFor(const std::function<bool()>& done) { return outside::WaitFor(done, kPatience); }

// A visible window of the given class whose text passes the test: a child of parent, at any depth, or
// a top-level window when parent is null.
HWND FindWindowBy(HWND parent, const std::wstring& className, const std::function<bool(const std::wstring&)>& text) {
  return outside::FindVisible(parent,
                              [&](HWND window) { return ClassOf(window) == className && text(TextOf(window)); });
}

auto Is(const std::wstring& wanted) {
  return [wanted](const std::wstring& text) { return text == wanted; };
}

bool EndsWith(const std::wstring& text, const std::wstring& end) {
  return text.size() >= end.size() && text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The program as a user starts it; whatever happens, it is gone when the test ends.
class RunningProgram {
 public:
  explicit RunningProgram(const std::wstring& arguments = L"") {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + ProgramPath() + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    started_ = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                              &process_) != FALSE;
  }
  ~RunningProgram() {
    if (!started_) return;
    if (WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  RunningProgram(const RunningProgram&) = delete;
  RunningProgram& operator=(const RunningProgram&) = delete;

  bool Started() const { return started_; }
  bool Owns(HWND window) const {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    return processId == process_.dwProcessId;
  }
  // Its top-level window of this class, once visible.
  HWND WaitForWindow(const wchar_t* className) const {
    HWND found = nullptr;
    WaitFor([&] {
      found = FindWindowBy(nullptr, className, [](const std::wstring&) { return true; });
      return found != nullptr && Owns(found);
    });
    return found;
  }
  // The exit code once it has ended by itself, or STILL_ACTIVE.
  DWORD WaitForExit() const {
    WaitForSingleObject(process_.hProcess, kPatience);
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.hProcess, &code);
    return code;
  }

 private:
  PROCESS_INFORMATION process_{};
  bool started_ = false;
};

class EndToEnd : public ::testing::Test {
 protected:
  void TearDown() override {
    // Explorer windows on the drive are closed before the drive goes.
    while (HWND explorer = FindWindowBy(nullptr, L"ExplorerWClass", [](const std::wstring&) { return true; })) {
      PostMessageW(explorer, WM_CLOSE, 0, 0);
      if (!WaitFor([&] { return !IsWindow(explorer) || !IsWindowVisible(explorer); })) break;
    }
    StandInNetwork::Clear();
    RemoveSettingsFile(RealApplicationDataFolder());
  }
};

TEST_F(EndToEnd, ConnectButtonConnectsTheShareAndExplorerOpensTheDrive) {
  StandInNetwork().AddShare(u"\\\\srv\\keiri").Save();
  // "経理" in the ANSI code page, as the program stores it.
  WriteSettingsFile("\x8c\x6f\x97\x9d,Z,\\\\srv\\keiri,,\r\n", RealApplicationDataFolder());

  RunningProgram program;
  ASSERT_TRUE(program.Started()) << ::testing::PrintToString(ProgramPath());
  HWND main = program.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  HWND button = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (button = FindWindowBy(main, L"Button", Is(L"経理"))) != nullptr; }));

  SetForegroundWindow(main);
  outside::Click(button);
  HWND dialog = program.WaitForWindow(L"TF_ConnectionDialog");
  ASSERT_NE(dialog, nullptr);
  EXPECT_EQ(TextOf(dialog), L"接続認証確認");
  EXPECT_NE(FindWindowBy(dialog, L"Static", Is(L"【Z】ドライブ割当")), nullptr);
  EXPECT_NE(FindWindowBy(dialog, L"Edit", Is(L"\\\\srv\\keiri")), nullptr);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
  // The focus is on OK: Enter confirms.
  PressKey(VK_RETURN);

  HWND status = FindWindowBy(main, STATUSCLASSNAMEW, [](const std::wstring&) { return true; });
  ASSERT_NE(status, nullptr);
  EXPECT_TRUE(WaitFor([&] { return TextOf(status) == L"認証完了"; })) << ::testing::PrintToString(TextOf(status));
  EXPECT_NE(FindWindowBy(main, L"VellowayPanel", Is(L"【Z:】\\\\srv\\keiri")), nullptr);
  HWND explorer = nullptr;
  EXPECT_TRUE(WaitFor([&] {
    explorer = FindWindowBy(nullptr, L"ExplorerWClass",
                            [](const std::wstring& caption) { return EndsWith(caption, L"(Z:)"); });
    return explorer != nullptr;
  }));

  const auto attempt = StandInNetwork::LastAttempt();
  ASSERT_TRUE(attempt.has_value());
  EXPECT_EQ(*attempt, (StandInNetwork::Attempt{Text(u"Z:"), u"\\\\srv\\keiri", std::nullopt, std::nullopt}));
  EXPECT_EQ(GetDriveTypeW(L"Z:\\"), static_cast<UINT>(DRIVE_REMOTE));

  // The program ends as a user ends it.
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

// Started by Windows at sign-in: the main window comes up minimised and leaves the focus where it was.
TEST_F(EndToEnd, ASignInStartIsMinimisedAndTakesNoFocus) {
  RemoveSettingsFile(RealApplicationDataFolder());
  RunningProgram program(L"/signin");
  ASSERT_TRUE(program.Started());
  HWND main = program.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  EXPECT_TRUE(IsIconic(main));
  EXPECT_NE(GetForegroundWindow(), main);
}

// A second start while Velloway runs makes no second window: it brings the first one to the front, restored,
// and ends. A second sign-in start only ends.
TEST_F(EndToEnd, ASecondStartBringsTheRunningOneToTheFrontAndEnds) {
  RemoveSettingsFile(RealApplicationDataFolder());
  RunningProgram first;
  HWND main = first.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  ShowWindow(main, SW_MINIMIZE);
  ASSERT_TRUE(WaitFor([&] { return IsIconic(main) != FALSE; }));

  RunningProgram again(L"/signin");
  EXPECT_EQ(again.WaitForExit(), 0u);
  EXPECT_TRUE(IsIconic(main));

  RunningProgram second;
  EXPECT_EQ(second.WaitForExit(), 0u);
  EXPECT_TRUE(WaitFor([&] { return !IsIconic(main) && GetForegroundWindow() == main; }));
  int windows = 0;
  for (HWND window = FindWindowExW(nullptr, nullptr, L"TF_Main", nullptr); window != nullptr;
       window = FindWindowExW(nullptr, window, L"TF_Main", nullptr)) {
    ++windows;
  }
  EXPECT_EQ(windows, 1);
}

// A server that never answers holds only its own call: once the window is closed, the program ends without
// waiting for the call (here it would take a minute).
TEST_F(EndToEnd, ClosingTheWindowEndsTheProgramWhileACallIsStuck) {
  StandInNetwork().AddShare(u"\\\\srv\\stuck").SetDelay(u"\\\\srv\\stuck", 60000).Save();
  WriteSettingsFile("stuck,,\\\\srv\\stuck,,\r\n", RealApplicationDataFolder());
  RunningProgram program;
  HWND main = program.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  HWND button = nullptr;
  ASSERT_TRUE(WaitFor([&] { return (button = FindWindowBy(main, L"Button", Is(L"stuck"))) != nullptr; }));
  SetForegroundWindow(main);
  outside::Click(button);
  HWND dialog = program.WaitForWindow(L"TF_ConnectionDialog");
  ASSERT_NE(dialog, nullptr);
  ASSERT_TRUE(WaitFor([&] { return GetForegroundWindow() == dialog; }));
  PressKey(VK_RETURN);
  HWND status = FindWindowBy(main, STATUSCLASSNAMEW, [](const std::wstring&) { return true; });
  ASSERT_TRUE(WaitFor([&] { return TextOf(status) == L"接続認証中"; }));

  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_NE(program.WaitForExit(), static_cast<DWORD>(STILL_ACTIVE)) << "the program waited for the stuck call";
}

// The program run with a command line as a script runs it: its standard output and error are pipes, read to
// their end (in the ANSI code page, as Windows' own commands write), and its exit code.
struct CommandRun {
  DWORD code = STILL_ACTIVE;
  std::wstring out;
  std::wstring error;
};

std::wstring FromAnsi(const std::string& bytes) {
  std::wstring text(bytes.size(), L'\0');
  const int length = MultiByteToWideChar(CP_ACP, 0, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                                         static_cast<int>(text.size()));
  text.resize(static_cast<size_t>(length > 0 ? length : 0));
  return text;
}

CommandRun RunCommandLine(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
  HANDLE outRead = nullptr;
  HANDLE outWrite = nullptr;
  HANDLE errorRead = nullptr;
  HANDLE errorWrite = nullptr;
  CommandRun run;
  // Large enough for everything the program writes: it is read only once the program has ended.
  constexpr DWORD kPipeSize = 1 << 20;
  if (!CreatePipe(&outRead, &outWrite, &inherit, kPipeSize) ||
      !CreatePipe(&errorRead, &errorWrite, &inherit, kPipeSize)) {
    return run;
  }
  SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
  SetHandleInformation(errorRead, HANDLE_FLAG_INHERIT, 0);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  startup.dwFlags = STARTF_USESTDHANDLES;
  startup.hStdOutput = outWrite;
  startup.hStdError = errorWrite;
  std::wstring commandLine = L"\"" + ProgramPath() + L"\" " + arguments;
  PROCESS_INFORMATION process{};
  const bool started = CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                                      &startup, &process) != FALSE;
  CloseHandle(outWrite);
  CloseHandle(errorWrite);
  // Read once the program has ended, what it left in the pipes: a Wine service it starts may inherit the write
  // ends, so that they never report their end.
  auto readLeft = [](HANDLE pipe) {
    std::string bytes;
    DWORD available = 0;
    while (PeekNamedPipe(pipe, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
      std::string chunk(available, '\0');
      DWORD read = 0;
      if (!ReadFile(pipe, chunk.data(), available, &read, nullptr) || read == 0) break;
      bytes.append(chunk.data(), read);
    }
    return bytes;
  };
  if (started) {
    WaitForSingleObject(process.hProcess, kPatience);
    GetExitCodeProcess(process.hProcess, &run.code);
    run.out = FromAnsi(readLeft(outRead));
    run.error = FromAnsi(readLeft(errorRead));
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
  }
  CloseHandle(outRead);
  CloseHandle(errorRead);
  return run;
}

constexpr DWORD kExitUsage = 0x20000001;
constexpr DWORD kExitUnknownName = 0x20000002;
constexpr DWORD kExitCancelled = 0x20000003;
const std::string kCommandSettings = "\x8c\x6f\x97\x9d,Z,\\\\srv\\keiri,,\r\nplain,,\\\\srv\\plain,,\r\n";

// A command line that is not understood, or names nothing, gets a message on the error handle and its own exit
// code; the settings file keeps its bytes.
TEST_F(EndToEnd, ABadCommandLineIsRefusedWithAMessageAndItsCode) {
  StandInNetwork().AddShare(u"\\\\srv\\keiri").Save();
  WriteSettingsFile(kCommandSettings, RealApplicationDataFolder());
  struct Case {
    const wchar_t* arguments;
    DWORD code;
  };
  const std::wstring longName(2000, L'あ');
  const std::vector<Case> cases = {
      {L"/conect 経理", kExitUsage},
      {L"/connect", kExitUsage},
      {L"/connect 経理 /disconnect Z:", kExitUsage},
      {L"/connect \"経理\" extra", kExitUsage},
      {L"/list /force", kExitUsage},
      {L"/connect \"人事\"", kExitUnknownName},
      {L"/disconnect \"a \\\"quoted\\\" name\"", kExitUnknownName},
  };
  for (const Case& c : cases) {
    const CommandRun run = RunCommandLine(c.arguments);
    EXPECT_EQ(run.code, c.code) << ::testing::PrintToString(std::wstring(c.arguments));
    EXPECT_FALSE(run.error.empty()) << ::testing::PrintToString(std::wstring(c.arguments));
    EXPECT_TRUE(run.out.empty());
  }
  EXPECT_EQ(RunCommandLine(L"/connect " + longName).code, kExitUsage);
  EXPECT_TRUE(StandInNetwork::CurrentConnections().empty());
  EXPECT_EQ(ReadSettingsFile(RealApplicationDataFolder()), kCommandSettings);
}

// Without a running copy: /connect connects the button as a click would, opening nothing with /noopen; /list
// prints the buttons and their states; /disconnect closes by drive or by button.
TEST_F(EndToEnd, CommandsConnectListAndCloseWithoutAWindow) {
  StandInNetwork().AddShare(u"\\\\srv\\keiri").AddShare(u"\\\\srv\\plain").Save();
  WriteSettingsFile(kCommandSettings, RealApplicationDataFolder());
  CommandRun run = RunCommandLine(L"/connect 経理 /noopen");
  EXPECT_EQ(run.code, 0u) << ::testing::PrintToString(run.error);
  EXPECT_EQ(run.out, L"【経理】認証完了\r\n");
  EXPECT_EQ(FindWindowBy(nullptr, L"ExplorerWClass", [](const std::wstring&) { return true; }), nullptr);
  EXPECT_EQ(FindWindowBy(nullptr, L"TF_Main", [](const std::wstring&) { return true; }), nullptr);
  // By its folder, a second time: already there is done too.
  EXPECT_EQ(RunCommandLine(L"/connect \\\\SRV\\keiri /noopen").code, 0u);
  EXPECT_EQ(RunCommandLine(L"-connect plain -noopen").code, 0u);
  EXPECT_EQ(StandInNetwork::CurrentConnections(),
            (std::vector<StandInNetwork::Connection>{{u"Z:", u"\\\\srv\\keiri"}, {u"", u"\\\\srv\\plain"}}));
  ASSERT_TRUE(StandInNetwork::LastAttempt().has_value());
  EXPECT_EQ(StandInNetwork::LastAttempt()->Flags, 0u);

  run = RunCommandLine(L"/list");
  EXPECT_EQ(run.code, 0u);
  EXPECT_EQ(run.out, L"経理\tZ\t\\\\srv\\keiri\t接続中 Z:\r\nplain\t\t\\\\srv\\plain\t接続中\r\n");

  EXPECT_EQ(RunCommandLine(L"/disconnect z:").code, 0u);
  EXPECT_EQ(RunCommandLine(L"/disconnect plain").code, 0u);
  EXPECT_TRUE(StandInNetwork::CurrentConnections().empty());
  EXPECT_EQ(RunCommandLine(L"/disconnect plain").code, 2250u);  // ERROR_NOT_CONNECTED
  EXPECT_EQ(ReadSettingsFile(RealApplicationDataFolder()), kCommandSettings);
}

// With a running copy, a connect is handed to it: its status line says how it went, and the exit code and the
// lines a copy of its own prints come back.
TEST_F(EndToEnd, ACommandIsHandedToTheRunningCopy) {
  StandInNetwork().AddShare(u"\\\\srv\\keiri").AddShare(u"\\\\srv\\plain", 53).Save();
  WriteSettingsFile(kCommandSettings, RealApplicationDataFolder());
  RunningProgram program;
  HWND main = program.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  HWND status = FindWindowBy(main, STATUSCLASSNAMEW, [](const std::wstring&) { return true; });
  ASSERT_NE(status, nullptr);

  CommandRun run = RunCommandLine(L"/connect 経理 /noopen");
  EXPECT_EQ(run.code, 0u);
  EXPECT_EQ(run.out, L"【経理】認証完了\r\n");
  EXPECT_TRUE(WaitFor([&] { return TextOf(status) == L"認証完了"; })) << ::testing::PrintToString(TextOf(status));
  EXPECT_TRUE(WaitFor([&] { return FindWindowBy(main, L"VellowayPanel", Is(L"【Z:】\\\\srv\\keiri")) != nullptr; }));

  run = RunCommandLine(L"/connect plain");
  EXPECT_EQ(run.code, 53u);
  EXPECT_FALSE(run.error.empty());
  // The running copy's window says why, as after a click (with what its look at the server found).
  const std::wstring shown = TextOf(status);
  EXPECT_TRUE(shown != L"認証完了" && shown != L"接続認証中" && !shown.empty()) << ::testing::PrintToString(shown);

  // A line break inside an argument cannot make a second one: refused, and the drive stays.
  run = RunCommandLine(L"/disconnect \"Z:\n/force\"");
  EXPECT_EQ(run.code, kExitUsage);
  EXPECT_FALSE(run.error.empty());
  EXPECT_TRUE(WaitFor([&] { return FindWindowBy(main, L"VellowayPanel", Is(L"【Z:】\\\\srv\\keiri")) != nullptr; }));
  EXPECT_EQ(StandInNetwork::CurrentConnections(),
            (std::vector<StandInNetwork::Connection>{{u"Z:", u"\\\\srv\\keiri"}}));
}

// The running copy closed while a handed-over connect still waits for its server: the caller is told that Velloway
// ended before the outcome was known, not that it was busy.
TEST_F(EndToEnd, AHandedOverConnectWhoseWindowClosesSaysSo) {
  StandInNetwork().AddShare(u"\\\\srv\\keiri").SetDelay(u"\\\\srv\\keiri", 5000).Save();
  WriteSettingsFile(kCommandSettings, RealApplicationDataFolder());
  RunningProgram program;
  HWND main = program.WaitForWindow(L"TF_Main");
  ASSERT_NE(main, nullptr);
  HWND status = FindWindowBy(main, STATUSCLASSNAMEW, [](const std::wstring&) { return true; });
  ASSERT_NE(status, nullptr);
  CommandRun run;
  std::thread command([&] { run = RunCommandLine(L"/connect 経理 /noopen"); });
  const bool connecting = WaitFor([&] { return TextOf(status) == L"接続認証中"; });
  PostMessageW(main, WM_CLOSE, 0, 0);
  command.join();
  ASSERT_TRUE(connecting);
  EXPECT_EQ(run.code, kExitCancelled);
  EXPECT_NE(run.error.find(L"終了"), std::wstring::npos) << ::testing::PrintToString(run.error);
  EXPECT_EQ(program.WaitForExit(), 0u);
}

}  // namespace
}  // namespace velloway::testing
