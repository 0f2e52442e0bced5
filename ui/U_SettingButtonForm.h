// TF_SettingButtonForm, the edit dialog of one setting: the caller fills the fields, shows the
// dialog and reads them back on OK.
#pragma once

#include <functional>
#include <vector>

#include "ModalWindow.h"
#include "Text.h"
#include "UniqueAny.h"

namespace velloway {

class TF_SettingButtonForm : public ModalWindow {
 public:
  void Create(HWND owner);

  // In and out: what the dialog shows when it opens, and what the user left on OK.
  Text Name;
  Text Drive;
  Text Folder;
  Text ID;
  Text Password;  // the caller wipes it once it has used it
  // In: the stored password could not be read; the box is empty and a note says so.
  bool PasswordUnreadable = false;
  // Out: whether the user changed the password box.
  bool PasswordChanged = false;
  // Asked on OK once the required fields are there; false keeps the dialog open (it has said why).
  std::function<bool()> OnAccept;

  // The drive entries: the empty text, then B, then D to Z.
  static const std::vector<Text>& DriveEntries();

  HWND E_Name() const noexcept { return E_Name_; }
  HWND CB_Drive() const noexcept { return CB_Drive_; }
  HWND E_Folder() const noexcept { return E_Folder_; }
  HWND E_ID() const noexcept { return E_ID_; }
  HWND E_Pass() const noexcept { return E_Pass_; }
  HWND B_OK() const noexcept { return B_OK_; }
  HWND B_Cancel() const noexcept { return B_Cancel_; }
  HWND L_PassNote() const noexcept { return L_PassNote_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormShow() override;
  void CloseRequested() override;

 private:
  void B_OKClick();
  void ReadFields();
  void ForgetPassword();
  HWND E_Name_ = nullptr, CB_Drive_ = nullptr, E_Folder_ = nullptr, E_ID_ = nullptr, E_Pass_ = nullptr;
  HWND B_OK_ = nullptr, B_Cancel_ = nullptr;
  HWND L_PassNote_ = nullptr;  // shown only when the stored password could not be read
  int extraDriveEntry_ = -1;  // an entry added for a drive none of the entries names
  UniqueFont font_;
};

}  // namespace velloway
