// The button settings editor, TF_SettingButton: LV_Button shows the one settings list itself; the only
// way out is B_Close, which saves.
#pragma once

#include <functional>
#include <optional>
#include <vector>

#include "core/AutoConnect.h"
#include "core/AutoConnectHolds.h"
#include "core/CredentialStore.h"
#include "core/SettingsList.h"
#include "core/SharedButtons.h"
#include "core/SignInStart.h"
#include "core/U_crypto.h"
#include "ui/framework/ModalWindow.h"

namespace velloway {

class TF_SettingButtonForm;

class TF_SettingButton : public ModalWindow {
 public:
  // shared: the administrator's buttons, listed first and read-only.
  TF_SettingButton(SettingsList& settings, TF_SettingButtonForm& form, const CryptoServices& crypto,
                   CredentialStore& credentials, SignInStart& signIn, AutoConnectSet& autos,
                   AutoConnectHolds& autoHolds, const SharedButtons& shared)
      : settings_(settings),
        form_(form),
        crypto_(crypto),
        credentials_(credentials),
        signIn_(signIn),
        autos_(autos),
        autoHolds_(autoHolds),
        shared_(shared) {}

  // onClose saves the settings and rebuilds the connect buttons; false keeps the editor open (the user went
  // back to editing). When it raises, the error is shown and the user may close without saving: the rows go
  // back to what they were when the editor opened. Its argument is false when nothing may be asked. A password
  // that a row kept in Credential Manager is deleted there only once the rows without it are saved.
  void Create(HWND owner, std::function<bool(bool mayAsk)> onClose);
  // Closes the editor, when it is open, as B_Close does: the way out when the program is asked to end.
  // mayAsk false (the session is ending): saved without a question; a failed save is only reported.
  // True when the editor is closed afterwards.
  bool SaveAndClose(bool mayAsk);

  HWND LV_Button() const noexcept;
  HWND B_Add() const noexcept;
  HWND B_Edit() const noexcept;
  HWND B_Delete() const noexcept;
  HWND B_Up() const noexcept;
  HWND B_Down() const noexcept;
  HWND B_Close() const noexcept;
  // Copies the selected shared row into the user's own rows (shown only when there are shared rows).
  HWND B_Copy() const noexcept;
  // Makes a desktop shortcut that connects the selected row's button (a .lnk named after it; replaced if there).
  HWND B_Shortcut() const noexcept;
  // Whether Windows starts Velloway at sign-in: shown as it is at every show, switched at once when clicked.
  HWND CK_SignIn() const noexcept;
  // The selected row of the list (shared rows first, then the own ones), or -1.
  int SelectedRow() const;
  // Shows the list's current rows (done at every show).
  void RowsChanged();
  // The shared rows were read anew while the editor may be open: the selection goes, the list follows.
  void SharedRowsChanged();
  // Adds a row as B_Add does, with the dialog opened on this name and folder; true when the user
  // confirmed it and the row was appended. Saving it is the caller's, as closing the editor saves.
  bool AddFromShare(const Text& name, const Text& folder);
  // Takes back the row that AddFromShare appended, when it could not be saved.
  void RemoveLastRow();

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void CloseRequested() override {}  // no title-bar buttons, and Esc must not leave without saving
  void FormShow() override;
  void OnButtonClick(int id, HWND control) override;
  void OnDpiChanged(UINT oldDpi) override;

 private:
  void B_AddClick();
  bool AddWithForm(const ButtonSetting& shown);
  void B_EditClick();
  void B_DeleteClick();
  void B_UpClick();
  void B_DownClick();
  void B_CopyClick();
  void B_ShortcutClick();
  // The own row selected: none when nothing is, or a shared row is (then the user is told why with message).
  std::optional<size_t> SelectedOwnRow(const Text& noneMessage);
  void SelectOwn(size_t own) { Select(static_cast<int>(shared_.size() + own)); }
  void B_CloseClick(bool mayAsk = true);
  void CK_SignInClick();
  void Layout();
  void MoveSelected(int offset);
  void Select(int row);
  void FillForm(const ButtonSetting& setting);
  bool AcceptForm();
  bool AcceptIntoCredentialManager();
  // The row no longer keeps its password under its key: deleted there on save unless a row still does.
  void Forget(const ButtonSetting& row);
  ButtonSetting SettingFromForm();
  LRESULT OnNotify(const NMHDR& header);

  SettingsList& settings_;
  TF_SettingButtonForm& form_;
  const CryptoServices& crypto_;
  CredentialStore& credentials_;
  SignInStart& signIn_;
  AutoConnectSet& autos_;        // edited with the rows: a changed folder or drive takes the setting along
  AutoConnectHolds& autoHolds_;  // an edit of a row is the user taking it over: its refusal and hold go
  const SharedButtons& shared_;
  AutoConnectSet autosAtShow_;      // what closing without saving goes back to
  std::vector<Text> keysToDelete_;  // credentials that rows used since the last save
  std::function<bool(bool mayAsk)> onClose_;
  SettingsList rowsAtShow_;  // what closing without saving goes back to
  // While the edit dialog is open: the row being edited and its stored Pass (none when adding), and the
  // Pass that OK makes of the dialog's password.
  std::optional<size_t> editedRow_;
  std::optional<Text> storedPass_;
  Text acceptedPass_;
};

}  // namespace velloway
