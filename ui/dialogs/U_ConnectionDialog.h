// TF_ConnectionDialog, the confirmation of a connect click: the caller fills the fields, shows the
// dialog and reads them back on OK.
#pragma once

#include "core/Text.h"
#include "ui/framework/ModalWindow.h"

namespace velloway {

class TF_ConnectionDialog : public ModalWindow {
 public:
  void Create(HWND owner);

  Text DriveLine;  // in: the text of L_Drive
  Text Folder;     // in and out
  Text ID;         // in and out
  Text Password;   // in and out; the caller wipes it once it has used it

  HWND L_Drive() const noexcept;
  HWND E_Folder() const noexcept;
  HWND E_ID() const noexcept;
  HWND E_Pass() const noexcept;
  HWND B_Ok() const noexcept;
  HWND B_Cancel() const noexcept;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormShow() override;
  void OnOk() override;
  void CloseRequested() override;

 private:
  void ForgetPassword();
};

}  // namespace velloway
