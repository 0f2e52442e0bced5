// Driving the real program from another process.
#include "OutsideDriver.h"

namespace velloway::testing::outside {
namespace {

constexpr DWORD kPointerPatience = 5000;  // ms

struct Search {
  const std::function<bool(HWND)>& matches;
  HWND found = nullptr;
};

BOOL CALLBACK Visit(HWND window, LPARAM search) {
  auto& s = *reinterpret_cast<Search*>(search);
  if (!IsWindowVisible(window) || !s.matches(window)) return TRUE;
  s.found = window;
  return FALSE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, DWORD patience) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > patience) return false;
    Sleep(50);
  }
  return true;
}

std::wstring TextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG, 5000,
                      &copied);
  text.resize(copied);
  return text;
}

std::wstring ClassOf(HWND window) {
  wchar_t name[128] = {};
  GetClassNameW(window, name, 128);
  return name;
}

HWND FindVisible(HWND parent, const std::function<bool(HWND)>& matches) {
  Search search{matches};
  if (parent != nullptr) {
    EnumChildWindows(parent, Visit, reinterpret_cast<LPARAM>(&search));
  } else {
    EnumWindows(Visit, reinterpret_cast<LPARAM>(&search));
  }
  return search.found;
}

void SendInputs(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// The pointer is moved in the same input as the click: in a freshly started desktop, SetCursorPos alone
// may not have taken effect before the button goes down.
void ClickAt(POINT point) {
  SetCursorPos(point.x, point.y);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dx = MulDiv(point.x, 65535, GetSystemMetrics(SM_CXSCREEN) - 1);
  move.mi.dy = MulDiv(point.y, 65535, GetSystemMetrics(SM_CYSCREEN) - 1);
  move.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT down = move;
  down.mi.dwFlags = MOUSEEVENTF_LEFTDOWN | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  INPUT up = move;
  up.mi.dwFlags = MOUSEEVENTF_LEFTUP | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  SendInputs({move});
  WaitFor(
      [&] {
        POINT now{};
        GetCursorPos(&now);
        return now.x == point.x && now.y == point.y;
      },
      kPointerPatience);
  SendInputs({down, up});
}

void Click(HWND window) {
  RECT bounds{};
  GetWindowRect(window, &bounds);
  ClickAt({(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2});
}

void PressKey(WORD key) {
  INPUT down{};
  down.type = INPUT_KEYBOARD;
  down.ki.wVk = key;
  INPUT up = down;
  up.ki.dwFlags = KEYEVENTF_KEYUP;
  SendInputs({down, up});
}

}  // namespace velloway::testing::outside
