// Controls declared as a table that reads like a window's layout, and created from it.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include "core/Text.h"

namespace velloway {

// Where a control's place comes from.
enum class Placement {
  Table,   // the row's rectangle, scaled to the window's DPI
  Window,  // the window's own layout, from its client size (a list, tree or log that fills what is left, a
           // status bar); the row's rectangle is empty
};

struct ControlLayout {
  int id;
  const wchar_t* className;  // WC_BUTTON, WC_STATIC, ...
  const wchar_t* text;
  int left, top, width, height;  // at 96 DPI, in the parent's client area
  DWORD style;                   // besides WS_CHILD | WS_VISIBLE
  DWORD exStyle = 0;
  int fontPixels = 0;  // a font of its own of this height at 96 DPI; 0 for the window's font
  Placement placement = Placement::Table;
};

// Whether a window is a push button (a default one included), not a check box or another kind of button.
bool IsPushButton(HWND window);

HWND CreateControl(HWND parent, const ControlLayout& layout, UINT dpi);
void PlaceControl(HWND control, const ControlLayout& layout, UINT dpi);
// Moves a window within its parent, in pixels; a negative size (a window squeezed to nothing) becomes 0.
void PlaceWindow(HWND window, int left, int top, int width, int height);

// A control's text in and out. The wide copy made on the way is wiped: the text may be a password.
Text ControlText(HWND control);
void SetControlText(HWND control, const Text& text);
// An edit for a password: limited, shown as "*", with no input method.
void MakePasswordBox(HWND edit, int limit);
// Empties a password box so that its memory no longer holds the password: an empty text alone only ends the
// old text at its first character, and the undo buffer may hold what was deleted.
void WipePasswordBox(HWND edit);
// Opens (in hiragana) or closes the input method of a control.
void OpenInputMethod(HWND control, bool open);

}  // namespace velloway
