// Mouse capture and live resizing of the splitter bar.
#include "ui/framework/Splitter.h"

#include <windowsx.h>

#include <algorithm>

#include "ui/framework/Controls.h"

namespace velloway {

HWND Splitter::Create(HWND parent, std::function<void()> onMoved) {
  onMoved_ = std::move(onMoved);
  HWND window = CreateWindowOfClass(L"VellowaySplitter", 0, WS_CHILD | WS_VISIBLE, L"", RECT{}, parent, 0);
  SetClassLongPtrW(window, GCLP_HCURSOR, reinterpret_cast<LONG_PTR>(LoadCursorW(nullptr, IDC_SIZENS)));
  return window;
}

int Splitter::Place(int width, int available, int thickness, int minimum) {
  available_ = available;
  thickness_ = thickness;
  minimum_ = minimum;
  const int lower = std::clamp(lowerHeight_, 0, std::max(0, available - thickness));
  PlaceWindow(Handle(), 0, available - thickness - lower, width, thickness);
  return lower;
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
        const int wanted = available_ - thickness_ - (point.y - grabOffset_);
        lowerHeight_ = std::clamp(wanted, minimum_, std::max(minimum_, available_ - thickness_ - minimum_));
        onMoved_();
      }
      return 0;
    case WM_LBUTTONUP:
      if (GetCapture() == Handle()) ReleaseCapture();
      return 0;
    default: return Window::HandleMessage(message, wParam, lParam);
  }
}

}  // namespace velloway
