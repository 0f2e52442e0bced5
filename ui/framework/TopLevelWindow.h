// What every top-level window shares: its DPI, its fonts, the controls made from its layout table (found
// by id and laid out again when the DPI changes), and WM_COMMAND decoded into a click, OK or Cancel.
#pragma once

#include <vector>

#include "platform/UniqueAny.h"
#include "ui/framework/Controls.h"
#include "ui/framework/Window.h"

namespace velloway {

class TopLevelWindow : public Window {
 public:
  struct PlacedControl {
    HWND handle;
    ControlLayout layout;
  };

  UINT Dpi() const noexcept { return dpi_; }
  HFONT Font() const noexcept { return font_.get(); }
  // The controls made from the window's table, in the order they were made.
  const std::vector<PlacedControl>& Controls() const noexcept { return controls_; }
  // The control of the table with this id; null when there is none.
  HWND Control(int id) const noexcept;

 protected:
  // Takes the DPI of the window just created and makes its font.
  void StartFrame();
  // Creates a control from its table row inside parent (the window itself when none) and keeps it.
  HWND AddControl(const ControlLayout& layout, HWND parent = nullptr);
  // Gives every control the window's font, and the table's own sizes to the controls that have one.
  void ApplyFonts();

  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // After the fonts and the table's controls follow a new DPI: lays out what the table does not place
  // (Placement::Window rows among them).
  virtual void OnDpiChanged(UINT oldDpi) { (void)oldDpi; }
  // A button's click (BN_CLICKED) other than OK and Cancel.
  virtual void OnButtonClick(int id, HWND control) {
    (void)id;
    (void)control;
  }
  virtual void OnOk() {}
  virtual void OnCancel() {}

 private:
  void DpiChanged(UINT dpi, const RECT& suggested);
  struct SizedFont {
    int pixels;
    UniqueFont font;
  };
  HFONT FontOfSize(int pixels);

  UINT dpi_ = 96;
  UniqueFont font_;
  std::vector<SizedFont> sizedFonts_;  // the table's other font sizes, at the current DPI
  std::vector<PlacedControl> controls_;
};

}  // namespace velloway
