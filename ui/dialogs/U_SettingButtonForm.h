// TF_SettingButtonForm, the edit dialog of one setting: the caller fills the fields, shows the
// dialog and reads them back on OK.
#pragma once

#include <functional>
#include <vector>

#include "core/Text.h"
#include "ui/framework/ModalWindow.h"

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
  // In and out: keep the password in Windows' Credential Manager rather than in the file's Pass.
  bool UseCredentialManager = true;
  bool AutoConnect = false;  // the button connects by itself at sign-in and when the network comes back
  // Asked on OK once the required fields are there; false keeps the dialog open (it has said why).
  std::function<bool()> OnAccept;

  // The drive entries: the empty text, then B, then D to Z.
  static const std::vector<Text>& DriveEntries();

  HWND E_Name() const noexcept;
  HWND CB_Drive() const noexcept;
  HWND E_Folder() const noexcept;
  HWND E_ID() const noexcept;
  HWND E_Pass() const noexcept;
  HWND B_OK() const noexcept;
  HWND B_Cancel() const noexcept;
  // Shown only when the stored password could not be read.
  HWND L_PassNote() const noexcept;
  HWND CK_CredentialManager() const noexcept;
  HWND CK_AutoConnect() const noexcept;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnButtonClick(int id, HWND control) override;
  void OnOk() override;
  void FormShow() override;
  void CloseRequested() override;

 private:
  void B_OKClick();
  void ReadFields();
  void ForgetPassword();
  int extraDriveEntry_ = -1;  // an entry added for a drive none of the entries names
};

}  // namespace velloway
