// Layouts are given in pixels at 96 DPI; these scale them to a window's DPI, and make the window font.
#pragma once

#include <windows.h>

#include "platform/UniqueAny.h"

namespace velloway {

inline constexpr UINT kBaseDpi = 96;
inline constexpr int kFontPixels = 13;
inline constexpr wchar_t kFontName[] = L"ＭＳ Ｐゴシック";

inline int Scale(int pixels, UINT dpi) { return MulDiv(pixels, static_cast<int>(dpi), kBaseDpi); }
// The DPI a window is laid out for: its top-level window's own record of it (which follows WM_DPICHANGED),
// or the system's answer for windows that keep none.
UINT DpiOf(HWND window);
// The message by which a top-level window of the program answers its DPI.
UINT WindowDpiMessage();
UniqueFont CreateWindowFont(UINT dpi, int pixels = kFontPixels);
// Gives the window and every window inside it the font.
void ApplyFont(HWND window, HFONT font);
// The outer size of a top-level window whose client area is width × height at 96 DPI.
SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi);

}  // namespace velloway
