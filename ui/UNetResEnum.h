// The network browser window, TF_NetResEnum.
#pragma once

#include "ModalWindow.h"
#include "UniqueAny.h"

namespace velloway {

class TF_NetResEnum : public ModalWindow {
 public:
  void Create(HWND owner);
  HWND B_Close() const noexcept { return B_Close_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  void B_CloseClick();
  HWND B_Close_ = nullptr;
  UniqueFont font_;
};

}  // namespace velloway
