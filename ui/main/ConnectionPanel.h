// One captioned, collapsible panel of the connections group, holding a strip of two full-width
// buttons that carries the connection number as its tag.
#pragma once

#include <functional>

#include "core/Text.h"
#include "ui/framework/Panel.h"

namespace velloway {

// The strip: firstId and firstId + 1 are its buttons' control ids, unique in the top-level window, and their
// clicks go on to that window by those ids, as Enter on them does.
class ButtonStrip : public Panel {
 public:
  HWND Create(HWND parent, int tag, const wchar_t* openCaption, int firstId);
  int Tag() const noexcept { return tag_; }
  HWND Button(int index) const noexcept { return buttons_[index]; }
  void Arrange();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int tag_ = 0;
  int firstId_ = 0;
  HWND buttons_[2] = {};
};

class ConnectionPanel : public Panel {
 public:
  HWND Create(HWND group, const Text& caption, int tag, const wchar_t* openCaption, int firstButtonId,
              std::function<void()> onResized, HFONT font);
  ButtonStrip& Strip() noexcept { return strip_; }
  bool Collapsed() const noexcept { return collapsed_; }
  // The panel's height now, in pixels at the window's DPI.
  int Height() const;
  void Toggle();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  int CaptionHeight() const;
  void Arrange();
  ButtonStrip strip_;
  std::function<void()> onResized_;
  HFONT font_ = nullptr;  // as WM_SETFONT gave it; the window that gave it keeps it alive
  bool collapsed_ = false;
};

}  // namespace velloway
