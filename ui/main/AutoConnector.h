// The buttons that connect by themselves: at start, when a retry is due, and when the network comes back. They
// run on a worker of their own, so that a user's click never waits behind them; nothing is asked and nothing
// is opened. What the user did wins: a refused attempt is never repeated by itself (not after an editor visit,
// a change of the shared buttons or a new start), and a connection the user closed is not made again.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "core/AutoConnect.h"
#include "core/AutoConnectHolds.h"
#include "core/ButtonRows.h"
#include "core/ButtonStates.h"
#include "core/ConnectJob.h"
#include "core/CredentialStore.h"
#include "core/FileStore.h"
#include "core/NetworkProvider.h"
#include "core/SettingsList.h"
#include "core/U_crypto.h"
#include "platform/AddressChangeWatch.h"
#include "ui/services/NetworkWorker.h"

namespace velloway {

class AutoConnector {
 public:
  struct Services {
    const SettingsList& settings;  // the own rows, whose auto-connect setting is in autos
    AutoConnectSet& autos;         // read from and saved to its own file beside the settings file
    AutoConnectHolds& holds;       // refusals (kept in a file of their own) and the user's closes
    const SharedButtons& shared;   // the administrator's, which say themselves whether they connect
    FileStore& files;
    NetworkProvider& network;
    NetworkWorker& worker;  // its own: the user's operations never wait for it
    const CryptoServices& crypto;
    const CredentialStore& credentials;
    const FolderProbe& folders;
    const ReachProbe& reach;
  };
  // What an attempt's end shows in the window, and what it needs to know of the window.
  struct Hooks {
    std::function<void(const Text& status)> status;
    std::function<void(std::vector<Text> locals, std::vector<Text> remotes)> connected;
    std::function<void()> statesChanged;
    std::function<void(const Text& drive, const Text& remote)> made;  // a connection an attempt made
    // The buttons' statuses as the connections were last read.
    std::function<std::vector<ButtonStatus>()> statuses;
  };
  // The window's timers timerId and settleTimerId and its message addressMessage are auto-connect's (see
  // HandleMessage).
  struct Window {
    UINT_PTR timerId;
    UINT_PTR settleTimerId;  // the network's changes have settled
    UINT addressMessage;
  };
  AutoConnector(Services services, Hooks hooks, Window ids)
      : services_(services), hooks_(std::move(hooks)), ids_(ids) {}

  // From Attach to Detach the window's messages wake auto-connect and its attempts' ends are shown; an attempt
  // that ends later shows nothing.
  void Attach(HWND window);
  void Detach();
  // The retry timer, an address change, a resume from sleep: true when the message was one of these.
  bool HandleMessage(UINT message, WPARAM wParam);

  // Which buttons connect by themselves and what was refused: read from their files in the settings folder, and
  // written back there (nothing is written before it was read).
  void LoadFile(const Text& settingsFolder);
  void SaveFile();

  // Attempts every auto-connect button that is not connected now, not held back, and whose retry is due.
  void Tick();
  // The network came back (the last of a burst of address changes and resumes): what waits is tried now, though
  // never sooner after its last attempt than the first retry's delay.
  void NetworkReturned();
  // The user's confirmed click on the button ended with result: what auto-connect stopped at and a hold of the
  // user's close are forgotten (a click the user cancels changes nothing). When it sent what the button keeps
  // (asKept: the dialog's values unchanged), a refusal holds the automatic attempts back as their own does.
  void ClickEnded(const ButtonSetting& row, std::uint32_t result, bool shared, bool asKept);
  // The user closes the connection of these buttons (by their setting indices): they wait for the user. Those
  // that were not held before are returned, for Release when the close did not happen.
  std::vector<ButtonSetting> HoldBack(const std::vector<size_t>& indices);
  void Release(const std::vector<ButtonSetting>& rows);
  // The editor or the administrator changed the buttons: what waits keeps its time, and refusals stay.
  void ButtonsChanged();
  // Shows Waiting or NeedsCheck on the buttons this stopped at or waits with and that are not connected.
  void MarkStates(std::vector<ButtonStatus>& statuses) const;
  // Whether the button's auto-connect waits for the user after the user closed its connection.
  bool Held(const ButtonSetting& row) const { return services_.holds.Held(row); }

 private:
  struct Entry {
    ButtonState state = ButtonState::NotConnected;
    int failures = 0;
    ULONGLONG due = 0;
    ULONGLONG lastAttempt = 0;  // when the last attempt started; 0 before the first
    bool running = false;       // an attempt runs now
  };
  void StartNext();
  void Finished(const std::shared_ptr<ConnectJob>& job, const ButtonSetting& row, const Text& fingerprint);
  // Whether what the button would send now was refused before; reads the stored password only when a refusal
  // of its Folder and ID is kept.
  bool Refused(const ButtonSetting& row, bool shared) const;
  void SaveRefusals();
  void Schedule();
  void WatchAddresses();
  ButtonRows Buttons() const { return ButtonRows(services_.settings, &services_.shared); }

  Services services_;
  Hooks hooks_;
  Window ids_;
  HWND window_ = nullptr;
  // From the first attempt that waits for the network until Detach: only then can an address change matter,
  // and starting the watch costs a thread.
  std::unique_ptr<AddressChangeWatch> addressWatch_;
  Text filePath_;
  Text refusalsPath_;
  AutoConnectSet asRead_;          // what the file held at the last load or save
  std::map<Text, Entry> entries_;  // by AutoConnectSet::KeyText
  std::vector<size_t> queue_;      // setting indices due for an attempt
};

}  // namespace velloway
