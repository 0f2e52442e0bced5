// Mouse capture and live resizing of the splitter bar.
#include "ui/Splitter.h"

#include <windowsx.h>

namespace velloway {

HWND Splitter::Create(HWND parent, std::function<void(int top)> onDrag) {
  onDrag_ = std::move(onDrag);
  HWND window = CreateWindowOfClass(L"VellowaySplitter", 0, WS_CHILD | WS_VISIBLE, L"", RECT{}, parent, 0);
  SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_SIZENS)));
  return window;
}

LRESULT Splitter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_LBUTTONDOWN:
      grabOffset_ = GET_Y_LPARAM(lParam);
      SetCapture(Handle());
      return 0;
    case WM_MOUSEMOVE:
      if (GetCapture() == Handle()) {
        POINT point{GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)};
        MapWindowPoints(Handle(), GetParent(Handle()), &point, 1);
        onDrag_(point.y - grabOffset_);
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velloway
