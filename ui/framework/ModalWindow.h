// A top-level window created once at start-up and shown modally over its owner as often as needed.
#pragma once

#include "ui/framework/TopLevelWindow.h"

namespace velloway {

enum class ModalResult { None, Ok, Cancel };

class ModalWindow : public TopLevelWindow {
 public:
  // Shows the window, disables the owner and runs messages until EndModal; then hides it again. None, at once,
  // when it is showing already.
  ModalResult ShowModal();
  void EndModal(ModalResult result) noexcept { result_ = result; }
  bool IsShowing() const noexcept { return showing_; }
  // Shown, and EndModal has been called: it goes once the current message has been handled.
  bool Closing() const noexcept { return showing_ && result_ != ModalResult::None; }
  // EndModal was called and the window is about to hide.
  bool Ending() const noexcept { return result_ != ModalResult::None; }

 protected:
  // Creates the hidden window with client size width × height at 96 DPI, at the screen's top-left, and
  // starts its frame (DPI and font).
  HWND CreateModal(const wchar_t* className, const wchar_t* caption, int width, int height, DWORD titleButtons,
                   HWND owner);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  // A Cancel button and Esc: as the close box.
  void OnCancel() override { CloseRequested(); }
  // Esc, a Cancel button and the close box; the default counts them as Cancel.
  virtual void CloseRequested() { EndModal(ModalResult::Cancel); }
  virtual void FormShow() {}
  // The control that has the focus once the window is shown.
  void SetInitialFocus(HWND control) noexcept { initialFocus_ = control; }

 private:
  ModalResult result_ = ModalResult::None;
  bool showing_ = false;
  HWND initialFocus_ = nullptr;
};

}  // namespace velloway
