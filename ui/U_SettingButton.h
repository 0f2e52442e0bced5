// The button settings editor, TF_SettingButton: the only way out is B_Close, which saves.
#pragma once

#include <functional>

#include "ModalWindow.h"
#include "UniqueAny.h"

namespace velloway {

class TF_SettingButton : public ModalWindow {
 public:
  // onClose saves the settings and rebuilds the connect buttons; an error it raises keeps the editor open.
  void Create(HWND owner, std::function<void()> onClose);
  HWND B_Close() const noexcept { return B_Close_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CloseRequested() override {}  // no title-bar buttons, and Esc must not leave without saving

 private:
  void B_CloseClick();
  std::function<void()> onClose_;
  HWND B_Close_ = nullptr;
  UniqueFont font_;
};

}  // namespace velloway
