// The buttons that connect by themselves: at start, when a retry is due, and when the network comes back. They
// run on a worker of their own, so that a user's click never waits behind them; nothing is asked and nothing
// is opened. A refused attempt is never repeated by itself.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

#include "core/AutoConnect.h"
#include "core/ButtonRows.h"
#include "core/ButtonStates.h"
#include "core/ConnectJob.h"
#include "core/CredentialStore.h"
#include "core/FileStore.h"
#include "core/NetworkProvider.h"
#include "core/SettingsList.h"
#include "core/U_crypto.h"
#include "platform/AddressChangeWatch.h"
#include "ui/NetworkWorker.h"

namespace velloway {

class AutoConnector {
 public:
  struct Services {
    const SettingsList& settings;  // the own rows, whose auto-connect setting is in autos
    AutoConnectSet& autos;         // read from and saved to its own file beside the settings file
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
  // The window's timer timerId and its message addressMessage are auto-connect's (see HandleMessage).
  struct Window {
    UINT_PTR timerId;
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

  // Which buttons connect by themselves: read from the file in the settings folder, and written back there
  // (nothing is written before it was read).
  void LoadFile(const Text& settingsFolder);
  void SaveFile();

  // Attempts every auto-connect button that is not connected now and whose retry is due.
  void Tick();
  // The network came back (an address change, a resume from sleep): what waits is due at once.
  void NetworkReturned();
  // The user clicked the button: what it stopped at is forgotten.
  void Forget(const ButtonSetting& row);
  // The editor changed the buttons: everything is forgotten, and it starts again.
  void ButtonsChanged();
  // Shows Waiting or NeedsCheck on the buttons this stopped at or waits with and that are not connected.
  void MarkStates(std::vector<ButtonStatus>& statuses) const;

 private:
  struct Entry {
    ButtonState state = ButtonState::NotConnected;
    int failures = 0;
    ULONGLONG due = 0;
  };
  void StartNext();
  void Finished(const std::shared_ptr<ConnectJob>& job, const Text& key);
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
  AutoConnectSet asRead_;          // what the file held at the last load or save
  std::map<Text, Entry> entries_;  // by AutoConnectSet::KeyText
  std::vector<size_t> queue_;      // setting indices due for an attempt
};

}  // namespace velloway
