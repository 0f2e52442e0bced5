// Creation of table-declared controls.
#include "Controls.h"

#include "Dpi.h"

namespace velloway {

HWND CreateControl(HWND parent, const ControlLayout& layout, UINT dpi) {
  return CreateWindowExW(0, layout.className, layout.text, WS_CHILD | WS_VISIBLE | layout.style, Scale(layout.left, dpi),
                         Scale(layout.top, dpi), Scale(layout.width, dpi), Scale(layout.height, dpi), parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(layout.id)), GetModuleHandleW(nullptr), nullptr);
}

void PlaceControl(HWND control, const ControlLayout& layout, UINT dpi) {
  SetWindowPos(control, nullptr, Scale(layout.left, dpi), Scale(layout.top, dpi), Scale(layout.width, dpi),
               Scale(layout.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

void PlaceWindow(HWND window, int left, int top, int width, int height) {
  SetWindowPos(window, nullptr, left, top, width < 0 ? 0 : width, height < 0 ? 0 : height,
               SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velloway
