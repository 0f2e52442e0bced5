// DPI scaling and the window font.
#include "ui/framework/Dpi.h"

namespace velloway {

UINT WindowDpiMessage() {
  static const UINT message = RegisterWindowMessageW(L"Velloway.WindowDpi");
  return message;
}

UINT DpiOf(HWND window) {
  if (window != nullptr) {
    if (HWND root = GetAncestor(window, GA_ROOT)) {
      if (const LRESULT recorded = SendMessageW(root, WindowDpiMessage(), 0, 0); recorded > 0) {
        return static_cast<UINT>(recorded);
      }
    }
  }
  const UINT dpi = window != nullptr ? GetDpiForWindow(window) : GetDpiForSystem();
  return dpi == 0 ? kBaseDpi : dpi;
}

UniqueFont CreateWindowFont(UINT dpi, int pixels) {
  return UniqueFont(CreateFontW(-Scale(pixels, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, SHIFTJIS_CHARSET,
                                OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH, kFontName));
}

void ApplyFont(HWND window, HFONT font) {
  SendMessageW(window, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  for (HWND child = GetWindow(window, GW_CHILD); child != nullptr; child = GetWindow(child, GW_HWNDNEXT)) {
    ApplyFont(child, font);
  }
}

SIZE OuterSize(int width, int height, DWORD style, DWORD exStyle, UINT dpi) {
  RECT bounds{0, 0, Scale(width, dpi), Scale(height, dpi)};
  AdjustWindowRectExForDpi(&bounds, style, FALSE, exStyle, dpi);
  return SIZE{bounds.right - bounds.left, bounds.bottom - bounds.top};
}

}  // namespace velloway
