// Opens each window of the real Velloway.exe as a user would and saves a picture of it, for the user guide.
// Runs under Wine inside a desktop window (which draws the title bars) in a prefix of its own; the network
// is the tests' stand-in, filled with a few shares so that the windows have something to show.
// Usage: ScreenshotTour PROGRAM.exe OUTPUT_FOLDER (writes one .bmp per window there, and tour.log)
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "OutsideDriver.h"
#include "SettingsFileFixture.h"
#include "StandInNetwork.h"

namespace {

using velloway::testing::StandInNetwork;

constexpr DWORD kPatience = 60000;  // ms; Wine's first start of a program or of Explorer in a prefix is slow
constexpr DWORD kSettle = 800;      // ms for a window to finish painting before its picture is taken

void Fail(const std::string& what) { throw std::runtime_error(what); }

void Step(const char* what) {
  std::fprintf(stderr, "ScreenshotTour: %s\n", what);
  std::fflush(stderr);
}

using velloway::testing::outside::ClassOf;
using velloway::testing::outside::TextOf;

bool WaitFor(const std::function<bool()>& done) { return velloway::testing::outside::WaitFor(done, kPatience); }

// A visible window of this class (and text, when one is given): a child of parent at any depth, or a
// top-level window when parent is null.
HWND Find(HWND parent, const std::wstring& className, const wchar_t* text = nullptr) {
  return velloway::testing::outside::FindVisible(
      parent, [&](HWND window) { return ClassOf(window) == className && (text == nullptr || TextOf(window) == text); });
}

BOOL CALLBACK Describe(HWND window, LPARAM) {
  const std::wstring name = ClassOf(window);
  std::fprintf(stderr, "  %ls%s\n", name.c_str(), IsWindowVisible(window) ? " (visible)" : "");
  return TRUE;
}

HWND WaitForWindow(HWND parent, const std::wstring& className, const wchar_t* text = nullptr) {
  HWND found = nullptr;
  if (!WaitFor([&] { return (found = Find(parent, className, text)) != nullptr; })) {
    std::fputs("ScreenshotTour: the windows there are:\n", stderr);
    if (parent != nullptr) {
      EnumChildWindows(parent, Describe, 0);
    } else {
      EnumWindows(Describe, 0);
    }
    std::string name(className.begin(), className.end());
    Fail("no window of class " + name + " appeared");
  }
  return found;
}

using velloway::testing::outside::Click;
using velloway::testing::outside::ClickAt;
using velloway::testing::outside::PressKey;

// Shows the password box filled as after the user typed a password.
void TypePassword(HWND dialog) {
  HWND box = velloway::testing::outside::FindVisible(dialog, [](HWND window) {
    return ClassOf(window) == L"Edit" && (GetWindowLongW(window, GWL_STYLE) & ES_PASSWORD) != 0;
  });
  if (box == nullptr) Fail("no password box");
  SendMessageW(box, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"password"));
}

// The screen's pixels under the window, title bar included, as a 24-bit BMP file.
void SavePicture(HWND window, const std::wstring& path) {
  SetForegroundWindow(window);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);  // no tooltip, no hover
  Sleep(kSettle);
  RECT bounds{};
  GetWindowRect(window, &bounds);
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;

  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = width;
  header.biHeight = height;  // bottom-up, as a BMP file keeps its rows
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  const DWORD stride = (static_cast<DWORD>(width) * 3 + 3) & ~3u;
  header.biSizeImage = stride * static_cast<DWORD>(height);

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  void* bits = nullptr;
  HBITMAP bitmap = CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
  HGDIOBJ previous = SelectObject(memory, bitmap);
  const bool copied = BitBlt(memory, 0, 0, width, height, screen, bounds.left, bounds.top, SRCCOPY) != FALSE;
  GdiFlush();

  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;
  HANDLE out = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  DWORD written = 0;
  const bool saved = out != INVALID_HANDLE_VALUE && WriteFile(out, &file, sizeof(file), &written, nullptr) &&
                     WriteFile(out, &header, sizeof(header), &written, nullptr) &&
                     WriteFile(out, bits, header.biSizeImage, &written, nullptr);
  if (out != INVALID_HANDLE_VALUE) CloseHandle(out);

  SelectObject(memory, previous);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  if (!copied || !saved) Fail("cannot save a picture");
}

// Explorer windows that the shell opened on a connected drive.
void CloseExplorers() {
  while (HWND explorer = Find(nullptr, L"ExplorerWClass")) {
    PostMessageW(explorer, WM_CLOSE, 0, 0);
    if (!WaitFor([&] { return !IsWindow(explorer) || !IsWindowVisible(explorer); })) break;
  }
}

void ExpandTree(HWND tree, HTREEITEM item) {
  for (; item != nullptr; item = TreeView_GetNextSibling(tree, item)) {
    TreeView_Expand(tree, item, TVE_EXPAND);
    ExpandTree(tree, TreeView_GetChild(tree, item));
  }
}

// The settings file as a user's would be: in the ANSI code page, one button per line.
void WriteSettings(const std::wstring& lines) {
  const int size =
      WideCharToMultiByte(CP_ACP, 0, lines.c_str(), static_cast<int>(lines.size()), nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, lines.c_str(), static_cast<int>(lines.size()), bytes.data(), size, nullptr, nullptr);
  velloway::testing::WriteSettingsFile(bytes, velloway::testing::RealApplicationDataFolder());
}

class Program {
 public:
  explicit Program(std::wstring path) {
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    std::wstring commandLine = L"\"" + path + L"\"";
    if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process_)) {
      Fail("cannot start the program");
    }
  }
  ~Program() {
    if (WaitForSingleObject(process_.hProcess, kPatience) == WAIT_TIMEOUT) TerminateProcess(process_.hProcess, 1);
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
  }
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  bool Running() const { return WaitForSingleObject(process_.hProcess, 0) == WAIT_TIMEOUT; }

 private:
  PROCESS_INFORMATION process_{};
};

void Tour(const std::wstring& program, const std::wstring& folder) {
  StandInNetwork()
      .AddShare(u"\\\\SRV\\経理")
      .AddShare(u"\\\\192.168.0.10\\eigyo")
      .AddShare(u"\\\\nas01\\design")
      .AddConnection(u"", u"\\\\nas01\\design")
      .AddUsualNeighbourhood()
      .Save();
  WriteSettings(
      L"経理,Z,\\\\SRV\\経理,yamada,\r\n"
      L"営業部 共有,,\\\\192.168.0.10\\eigyo,,\r\n"
      L"設計[&amp;]開発,P,\\\\nas01\\design,,\r\n");

  Step("starting the program");
  Program running(program);
  HWND main = nullptr;
  try {
    main = WaitForWindow(nullptr, L"TF_Main");
  } catch (...) {
    std::fprintf(stderr, "ScreenshotTour: the program %s\n", running.Running() ? "runs" : "has ended");
    throw;
  }
  HWND connect = WaitForWindow(main, L"Button", L"経理");
  // The connections panel is built after the buttons, and the window is laid out once more after it.
  WaitForWindow(main, L"VellowayPanel", L"\\\\nas01\\design");
  Sleep(kSettle);

  // A connect button: the confirmation, then the outcome on the status line.
  Step("connect button");
  SetForegroundWindow(main);
  Click(connect);
  HWND dialog = WaitForWindow(nullptr, L"TF_ConnectionDialog");
  TypePassword(dialog);
  SavePicture(dialog, folder + L"\\connection-dialog.bmp");
  SetForegroundWindow(dialog);
  WaitFor([&] { return GetForegroundWindow() == dialog; });
  PressKey(VK_RETURN);
  HWND status = WaitForWindow(main, STATUSCLASSNAMEW);
  if (!WaitFor([&] { return TextOf(status) == L"認証完了"; })) Fail("the connection did not complete");
  WaitForWindow(main, L"VellowayPanel", L"【Z:】\\\\SRV\\経理");
  WaitFor([] { return Find(nullptr, L"ExplorerWClass") != nullptr; });
  CloseExplorers();
  SavePicture(main, folder + L"\\main.bmp");

  // The button settings editor with the first row selected, and that row in the edit dialog.
  Step("button settings");
  SetForegroundWindow(main);
  Click(WaitForWindow(main, L"Button", L"接続ボタン編集(&E)"));
  HWND editor = WaitForWindow(nullptr, L"TF_SettingButton");
  HWND list = WaitForWindow(editor, WC_LISTVIEWW);
  RECT listBounds{};
  GetWindowRect(list, &listBounds);
  HWND header = ListView_GetHeader(list);
  RECT headerBounds{};
  GetWindowRect(header, &headerBounds);
  ClickAt({listBounds.left + 40, headerBounds.bottom + 8});
  SavePicture(editor, folder + L"\\button-settings.bmp");
  Click(WaitForWindow(editor, L"Button", L"選択した設定を編集(&E)"));
  HWND form = WaitForWindow(nullptr, L"TF_SettingButtonForm");
  TypePassword(form);
  SavePicture(form, folder + L"\\setting-form.bmp");
  Click(WaitForWindow(form, L"Button", L"Cancel(&C)"));
  WaitFor([&] { return !IsWindowVisible(form); });
  Click(WaitForWindow(editor, L"Button", L"閉じる(&C)"));
  WaitFor([&] { return !IsWindowVisible(editor); });

  // The network browser after a search, every node opened.
  Step("resource search");
  SetForegroundWindow(main);
  Click(WaitForWindow(main, L"Button", L"ネットワークリソース探索(&S)"));
  HWND browser = WaitForWindow(nullptr, L"TF_NetResEnum");
  Click(WaitForWindow(browser, L"Button", L"リソース一覧の取得"));
  HWND tree = WaitForWindow(browser, WC_TREEVIEWW);
  if (!WaitFor([&] { return TreeView_GetCount(tree) >= 4; })) Fail("the search found nothing");
  ExpandTree(tree, TreeView_GetRoot(tree));
  SavePicture(browser, folder + L"\\resource-search.bmp");
  Click(WaitForWindow(browser, L"Button", L"閉じる(&C)"));
  WaitFor([&] { return !IsWindowVisible(browser); });

  PostMessageW(main, WM_CLOSE, 0, 0);
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: ScreenshotTour PROGRAM.exe OUTPUT_FOLDER\n", stderr);
    return 2;
  }
  // Started by Wine's desktop, whose output goes nowhere: the log and the outcome are files.
  const std::wstring folder = argv[2];
  _wfreopen((folder + L"\\tour.log").c_str(), L"w", stderr);
  int result = 0;
  try {
    Tour(argv[1], folder);
    Step("done");
  } catch (const std::exception& error) {
    std::fprintf(stderr, "ScreenshotTour: %s\n", error.what());
    result = 1;
  }
  CloseExplorers();
  StandInNetwork::Clear();
  velloway::testing::RemoveSettingsFile(velloway::testing::RealApplicationDataFolder());
  return result;
}
