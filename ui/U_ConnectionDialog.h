// TF_ConnectionDialog, the confirmation of a connect click: the caller fills the fields, shows the
// dialog and reads them back on OK.
#pragma once

#include "ModalWindow.h"
#include "Text.h"
#include "UniqueAny.h"

namespace velloway {

class TF_ConnectionDialog : public ModalWindow {
 public:
  void Create(HWND owner);

  Text DriveLine;  // in: the text of L_Drive
  Text Folder;     // in and out
  Text ID;         // in and out
  Text Password;   // in and out; the caller wipes it once it has used it

  HWND L_Drive() const noexcept { return L_Drive_; }
  HWND E_Folder() const noexcept { return E_Folder_; }
  HWND E_ID() const noexcept { return E_ID_; }
  HWND E_Pass() const noexcept { return E_Pass_; }
  HWND B_Ok() const noexcept { return B_Ok_; }
  HWND B_Cancel() const noexcept { return B_Cancel_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormShow() override;
  void CloseRequested() override;

 private:
  HWND L_Drive_ = nullptr, E_Folder_ = nullptr, E_ID_ = nullptr, E_Pass_ = nullptr;
  void ForgetPassword();

  HWND B_Ok_ = nullptr, B_Cancel_ = nullptr;
  UniqueFont font_;
  UniqueFont titleFont_;
};

}  // namespace velloway
