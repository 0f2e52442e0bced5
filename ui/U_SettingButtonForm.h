// TF_SettingButtonForm, the edit dialog of one setting.
#pragma once

#include "ModalWindow.h"
#include "UniqueAny.h"

namespace velloway {

class TF_SettingButtonForm : public ModalWindow {
 public:
  void Create(HWND owner);

 private:
  UniqueFont font_;
};

}  // namespace velloway
