// The common frame of the top-level windows.
#include "ui/framework/TopLevelWindow.h"

#include <utility>

#include "ui/framework/Dpi.h"

namespace velloway {

HWND TopLevelWindow::Control(int id) const noexcept {
  for (const PlacedControl& control : controls_) {
    if (control.layout.id == id) return control.handle;
  }
  return nullptr;
}

void TopLevelWindow::StartFrame() {
  dpi_ = GetDpiForWindow(Handle());
  if (dpi_ == 0) dpi_ = kBaseDpi;
  font_ = CreateWindowFont(dpi_);
}

HWND TopLevelWindow::AddControl(const ControlLayout& layout, HWND parent) {
  HWND control = CreateControl(parent != nullptr ? parent : Handle(), layout, dpi_);
  controls_.push_back(PlacedControl{control, layout});
  return control;
}

HFONT TopLevelWindow::FontOfSize(int pixels) {
  for (const SizedFont& sized : sizedFonts_) {
    if (sized.pixels == pixels) return sized.font.get();
  }
  sizedFonts_.push_back(SizedFont{pixels, CreateWindowFont(dpi_, pixels)});
  return sizedFonts_.back().font.get();
}

void TopLevelWindow::ApplyFonts() {
  ApplyFont(Handle(), font_.get());
  for (const PlacedControl& control : controls_) {
    if (control.layout.fontPixels != 0) {
      SendMessageW(control.handle, WM_SETFONT, reinterpret_cast<WPARAM>(FontOfSize(control.layout.fontPixels)), TRUE);
    }
  }
}

void TopLevelWindow::DpiChanged(UINT dpi, const RECT& suggested) {
  const UINT oldDpi = dpi_;
  dpi_ = dpi;
  // The old fonts live until every control has the new ones: a control must never paint with a
  // deleted font.
  UniqueFont oldFont = std::exchange(font_, CreateWindowFont(dpi_));
  std::vector<SizedFont> oldSizedFonts = std::exchange(sizedFonts_, {});
  ApplyFonts();
  for (const PlacedControl& control : controls_) {
    if (control.layout.placement == Placement::Table) PlaceControl(control.handle, control.layout, dpi_);
  }
  SetWindowPos(Handle(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  OnDpiChanged(oldDpi);
}

LRESULT TopLevelWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_DPICHANGED: DpiChanged(HIWORD(wParam), *reinterpret_cast<const RECT*>(lParam)); return 0;
    case WM_COMMAND:
      if (HIWORD(wParam) != BN_CLICKED) break;
      // Esc and Enter of the dialog manager come without a control (lParam 0).
      if (LOWORD(wParam) == IDOK) {
        OnOk();
      } else if (LOWORD(wParam) == IDCANCEL) {
        OnCancel();
      } else {
        OnButtonClick(LOWORD(wParam), reinterpret_cast<HWND>(lParam));
      }
      return 0;
    default:
      if (message == WindowDpiMessage()) return static_cast<LRESULT>(dpi_);
      break;
  }
  return Window::HandleMessage(message, wParam, lParam);
}

}  // namespace velloway
