// TF_ConnectionDialog, the confirmation dialog of a connect click.
#pragma once

#include "ModalWindow.h"
#include "UniqueAny.h"

namespace velloway {

class TF_ConnectionDialog : public ModalWindow {
 public:
  void Create(HWND owner);

 private:
  UniqueFont font_;
};

}  // namespace velloway
