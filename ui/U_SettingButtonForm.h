// TF_SettingButtonForm, the edit dialog of one setting: the caller fills the fields, shows the
// dialog and reads them back on OK.
#pragma once

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

  // The drive entries: the empty text, then B, then D to Z.
  static const std::vector<Text>& DriveEntries();

  HWND E_Name() const noexcept { return E_Name_; }
  HWND CB_Drive() const noexcept { return CB_Drive_; }
  HWND E_Folder() const noexcept { return E_Folder_; }
  HWND E_ID() const noexcept { return E_ID_; }
  HWND E_Pass() const noexcept { return E_Pass_; }
  HWND B_OK() const noexcept { return B_OK_; }
  HWND B_Cancel() const noexcept { return B_Cancel_; }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void FormShow() override;

 private:
  void B_OKClick();
  void ReadFields();
  HWND E_Name_ = nullptr, CB_Drive_ = nullptr, E_Folder_ = nullptr, E_ID_ = nullptr, E_Pass_ = nullptr;
  HWND B_OK_ = nullptr, B_Cancel_ = nullptr;
  int extraDriveEntry_ = -1;  // an entry added for a drive none of the entries names
  UniqueFont font_;
};

}  // namespace velloway
