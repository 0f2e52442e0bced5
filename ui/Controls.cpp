// Creation of table-declared controls.
#include "Controls.h"

#include "Dpi.h"

namespace velloway {

HWND CreateControl(HWND parent, const ControlSpec& spec, UINT dpi) {
  return CreateWindowExW(0, spec.className, spec.text, WS_CHILD | WS_VISIBLE | spec.style, Scale(spec.left, dpi),
                         Scale(spec.top, dpi), Scale(spec.width, dpi), Scale(spec.height, dpi), parent,
                         reinterpret_cast<HMENU>(static_cast<INT_PTR>(spec.id)), GetModuleHandleW(nullptr), nullptr);
}

void PlaceControl(HWND control, const ControlSpec& spec, UINT dpi) {
  SetWindowPos(control, nullptr, Scale(spec.left, dpi), Scale(spec.top, dpi), Scale(spec.width, dpi),
               Scale(spec.height, dpi), SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace velloway
