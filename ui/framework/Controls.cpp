// Creation of table-declared controls.
#include "ui/framework/Controls.h"

#include <imm.h>

#include <algorithm>
#include <string>

#include "core/SecureWipe.h"
#include "platform/WinText.h"
#include "ui/framework/Dpi.h"

namespace velloway {
namespace {

// More than any password box of the program takes (40), and little enough to write at once.
constexpr size_t kLongestWipedPassword = 256;

}  // namespace

HWND CreateControl(HWND parent, const ControlLayout& layout, UINT dpi) {
  return CreateWindowExW(layout.exStyle, layout.className, layout.text, WS_CHILD | WS_VISIBLE | layout.style,
                         Scale(layout.left, dpi), Scale(layout.top, dpi), Scale(layout.width, dpi),
                         Scale(layout.height, dpi), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)),
                         GetModuleHandleW(nullptr), nullptr);
}

void PlaceControl(HWND control, const ControlLayout& layout, UINT dpi) {
  SetWindowPos(control, nullptr, Scale(layout.left, dpi), Scale(layout.top, dpi), Scale(layout.width, dpi),
               Scale(layout.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWindow(HWND window, int left, int top, int width, int height) {
  SetWindowPos(window, nullptr, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

Text ControlText(HWND control) {
  const int length = GetWindowTextLengthW(control);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  GetWindowTextW(control, text.data(), length + 1);
  Text result = FromWide(text.c_str());
  WipeString(text);
  return result;
}

void SetControlText(HWND control, const Text& text) {
  std::wstring wide = ToWide(text);
  SetWindowTextW(control, wide.c_str());
  WipeString(wide);
}

void MakePasswordBox(HWND edit, int limit) {
  SendMessageW(edit, EM_LIMITTEXT, static_cast<WPARAM>(limit), 0);
  SendMessageW(edit, EM_SETPASSWORDCHAR, L'*', 0);
  ImmAssociateContextEx(edit, nullptr, 0);
}

void WipePasswordBox(HWND edit) {
  // Filler as long as anything the box can have held overwrites its text buffer; deleting the filler as an
  // undoable edit overwrites the undo buffer with it too, and only then are both emptied.
  const auto limit = static_cast<size_t>(SendMessageW(edit, EM_GETLIMITTEXT, 0, 0));
  const auto length = static_cast<size_t>(GetWindowTextLengthW(edit));
  const std::wstring filler(std::max(length, std::min<size_t>(limit, kLongestWipedPassword)), L'*');
  SetWindowTextW(edit, filler.c_str());
  SendMessageW(edit, EM_SETSEL, 0, -1);
  SendMessageW(edit, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L""));
  SendMessageW(edit, EM_EMPTYUNDOBUFFER, 0, 0);
  SetWindowTextW(edit, L"");
}

// Open, it starts in hiragana (full-width native input).
void OpenInputMethod(HWND control, bool open) {
  HIMC context = ImmGetContext(control);
  if (context == nullptr) return;
  ImmSetOpenStatus(context, open ? TRUE : FALSE);
  if (open) ImmSetConversionStatus(context, IME_CMODE_NATIVE | IME_CMODE_FULLSHAPE, IME_SMODE_NONE);
  ImmReleaseContext(control, context);
}

bool IsPushButton(HWND window) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  const LONG_PTR type = GetWindowLongPtrW(window, GWL_STYLE) & BS_TYPEMASK;
  return lstrcmpiW(className, WC_BUTTONW) == 0 && (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON);
}

}  // namespace velloway
