// The main window, TF_Main: connect buttons above, current connections below, the status line.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/CommandLine.h"
#include "core/ConnectButtons.h"
#include "core/SettingsFile.h"
#include "core/SettingsList.h"
#include "ui/framework/Panel.h"
#include "ui/framework/ScrollBox.h"
#include "ui/framework/Splitter.h"
#include "ui/framework/TopLevelWindow.h"
#include "ui/main/AutoConnector.h"
#include "ui/main/BusyControls.h"
#include "ui/main/ConnectButtonRow.h"
#include "ui/main/ConnectFlow.h"
#include "ui/main/ConnectionActions.h"
#include "ui/main/ConnectionPanelList.h"
#include "ui/main/MainServices.h"
#include "ui/main/PointerTooltip.h"
#include "ui/main/SharedButtonLoader.h"

namespace velloway {

class TF_ConnectionDialog;
class TF_NetResEnum;
class TF_SettingButton;

class TF_Main : public TopLevelWindow {
 public:
  // connectButtonLimit: the most connect buttons made at once (see kConnectButtonLimit).
  explicit TF_Main(MainServices services, size_t connectButtonLimit = kConnectButtonLimit);

  // Creates the window (FormCreate runs inside) and shows it.
  void Create(int showCommand);
  // The dialogs the main window opens; makeDialogs makes them (once) before the first is shown.
  void SetDialogs(TF_SettingButton& settingButton, TF_NetResEnum& netResEnum, TF_ConnectionDialog& connection,
                  std::function<void()> makeDialogs);

  void CreateButtons();
  // Reads the current connections on the worker and rebuilds the panels once they are read; nothing
  // happens while another network operation runs.
  void CreateButtons_Connected();
  // The connections as an operation has just read them (after its connect or close): the panels and marks.
  void ConnectionsRead(std::vector<Text> locals, std::vector<Text> remotes);
  // Saves the list unless the file changed meanwhile; then the user chooses between the list and the file
  // (mayAsk false: the list is kept), and is told where the side not kept went. False: the user went
  // back to editing and nothing was saved. The list may have become the file's: rebuild the buttons.
  bool SaveToIni(bool mayAsk = true);
  // The editor changed the buttons: what auto-connect stopped or waits at is forgotten, and it starts again.
  void AutoConnectsChanged();
  // Runs a command handed over by another start (its arguments); reply gets its exit code and what a copy of its
  // own would have printed, once it is done.
  using CommandHandler =
      std::function<void(const std::vector<Text>& arguments, std::function<void(const CommandReply&)> reply)>;
  void OnCommand(CommandHandler handler) { commandHandler_ = std::move(handler); }
  // Whether the user is in the middle of something a command from outside must not enter: a dialog or a question
  // open over the window, or a network operation of theirs running.
  bool InUserOperation() const;
  // A connection this program made (a click's or auto-connect's), by its drive letter or none, and remote name.
  void Made(const Text& drive, const Text& remote);
  // The user closes the connection of this name (a drive, or a remote name): the auto-connect buttons on it
  // wait for the user. The buttons held by it are returned, for ReleaseAutoConnect when it was not closed.
  std::vector<ButtonSetting> HoldAutoConnect(const Text& connectionName);
  void ReleaseAutoConnect(const std::vector<ButtonSetting>& held);
  void FormMouseWheel(int wheelDelta);

  void SetStatus(const Text& text);
  Text StatusText() const;

  const Text& Path() const noexcept { return path_; }
  ScrollBox& P_ButtonPanel() noexcept { return P_ButtonPanel_; }
  HWND P_Connected() const noexcept { return P_Connected_.Handle(); }
  HWND Panel1() const noexcept { return Panel1_.Handle(); }
  HWND B_AddButton() const noexcept;
  HWND B_ConnectionSearch() const noexcept;
  HWND B_NetResSearch() const noexcept;
  HWND StatusBar1() const noexcept;  // the status line
  HWND Splitter1() const noexcept { return Splitter1_.Handle(); }
  // The tooltip of the connect buttons: one tool, moved to the button the pointer enters.
  HWND Tooltips() const noexcept { return hint_.Handle(); }
  // The connect buttons, in the order of the settings list.
  const std::vector<HWND>& ConnectButtons() const noexcept { return connectButtons_.Buttons(); }
  // A connect button's status as its mark and tooltip show it, and the image list of a state's mark.
  ButtonStatus ConnectButtonStatus(size_t index) const { return connectButtons_.StatusOf(index); }
  // The image list of a state's mark: an own button's, or (shared) one the administrator handed out.
  HIMAGELIST StateMark(ButtonState state, bool shared = false) const noexcept {
    return shared ? connectButtons_.SharedMarkOf(state) : connectButtons_.MarkOf(state);
  }
  bool StartupTimerArmed() const noexcept { return timerArmed_; }
  // The details of the last connect when it failed, as the details dialog shows them; opened by a click on the
  // status line or F1.
  void ShowFailureDetails();
  bool HasFailureDetails() const noexcept { return connectFlow_.HasFailureDetails(); }
  // The connection panel group (the second child of P_Connected) and its panels, in connection order.
  ScrollBox* PanelGroup() noexcept { return panels_.Group(); }
  std::vector<ConnectionPanel*> ConnectionPanels() const { return panels_.Panels(); }

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnButtonClick(int id, HWND control) override;
  void OnOk() override;
  void OnCancel() override;
  void OnDpiChanged(UINT oldDpi) override;

 private:
  void FormCreate();
  void FormDestroy();
  void T_OnCreateTimer();
  void ConnectClick(HWND sender);
  void B_AddButtonClick();
  void B_NetResSearchClick();
  void B_ConnectionSearchClick();
  void ButtonGroupItemsClick_Open(int tag);
  void ButtonGroupItemsClick_DisConnect(int tag);
  const Text& ConnectionName(int tag) const;
  // A close the user asked for (a strip's button, the 1219 question's yes), its open-files question included;
  // the auto-connect buttons on it are held back once it is closed.
  void CloseByUser(const Text& name, const std::function<void(bool closed)>& then);
  // Rebuilds the panels from the connections the worker read.
  void ShowConnections(std::vector<Text> locals, std::vector<Text> remotes);
  // A strip's click runs once the strip's own message has returned: its handler may rebuild the strips.
  void PostStripClick(ConnectionPanelList::StripButton button);
  // Each connect button's mark from the connections as last read and auto-connect's states.
  void ShowButtonStatuses();
  std::vector<ButtonStatus> CurrentStatuses() const;
  // Enables the header buttons that start a network operation while none runs.
  void NetworkBusyChanged();
  // The shared buttons were read anew; gone are the earlier ones whose share went or moved.
  void SharedButtonsChanged(const SharedButtons& gone);
  void OfferToClose(const SharedButtons& gone, size_t next);
  void CreateControls();
  void Layout();
  void PlaceConnectionPanels();
  // The tooltip's text for a connect button.
  Text HintOf(HWND button) const;

  MainServices services_;
  size_t connectButtonLimit_;
  std::function<void()> makeDialogs_ = [] {};
  TF_SettingButton* F_SettingButton_ = nullptr;
  TF_NetResEnum* F_NetResEnum_ = nullptr;
  TF_ConnectionDialog* F_ConnectionDialog_ = nullptr;

  UnreadSettingsFile unread_;
  SettingsFileAsRead asRead_;  // what the last load or save saw in the file
  // The current connections by connection number: stl_Connected1 their local names (a drive such as Z:,
  // or empty), stl_Connected2 their remote names.
  std::unique_ptr<std::vector<Text>> stl_Connected1_;
  std::unique_ptr<std::vector<Text>> stl_Connected2_;
  Text path_;

  Panel P_Connect_;                  // the upper half: the connect buttons
  Panel Panel2_;                     // the upper half's header, holding B_AddButton
  ScrollBox P_ButtonPanel_;          // the scrolling container of the connect buttons
  Splitter Splitter1_;               // between the two halves
  Panel P_Connected_;                // the lower half: the current connections
  Panel Panel1_;                     // the lower half's header: Label1, B_ConnectionSearch, B_NetResSearch
  PointerTooltip hint_;              // the connect buttons' tooltip
  BusyControls busyControls_;        // the header buttons that start a network operation
  ConnectButtonRow connectButtons_;  // the upper half's connect buttons
  ConnectionPanelList panels_;       // the lower half's connection panels
  bool timerArmed_ = false;
  ConnectionActions connectionActions_;  // a connection's Open and Close
  ConnectFlow connectFlow_;              // a connect click after its button
  AutoConnector autoConnector_;
  SharedButtonLoader sharedLoader_;
  Text settingsFolder_;  // known once the settings were loaded
  struct MadeConnection {
    Text local;  // "Z:", or empty
    Text remote;
  };
  std::vector<MadeConnection> made_;  // the connections this program made in this run
  // A command from another start: answered at once (taken, or why not), run once that message has returned.
  LRESULT ReceiveCommand(HWND replyTo, const COPYDATASTRUCT& data);
  void RunCommand();
  CommandHandler commandHandler_;
  struct HandedOverCommand {
    HWND replyTo = nullptr;
    std::vector<Text> arguments;
  };
  std::optional<HandedOverCommand> commandQueued_;
  bool commandRunning_ = false;  // from the hand-over until its reply
  SharedButtons goneToOffer_;    // shared buttons gone or moved, whose connections are still to be offered
};

}  // namespace velloway
