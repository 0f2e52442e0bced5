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
#include "core/ButtonStates.h"
#include "core/ConnectJob.h"
#include "core/CredentialStore.h"
#include "core/NetworkProvider.h"
#include "core/SettingsList.h"
#include "core/U_crypto.h"
#include "ui/NetworkWorker.h"

namespace velloway {

class AutoConnector {
 public:
  struct Services {
    const SettingsList& settings;
    const AutoConnectSet& autos;
    NetworkProvider& network;
    NetworkWorker& worker;  // its own: the user's operations never wait for it
    const CryptoServices& crypto;
    const CredentialStore& credentials;
    const FolderProbe& folders;
    const ReachProbe& reach;
  };
  // What an attempt's end shows in the window: its status line text, and the connections when it connected.
  struct Hooks {
    std::function<void(const Text& status)> status;
    std::function<void(std::vector<Text> locals, std::vector<Text> remotes)> connected;
    std::function<void()> statesChanged;
    std::function<void(UINT milliseconds)> wakeIn;  // asks for Tick after this long
  };
  AutoConnector(Services services, Hooks hooks) : services_(services), hooks_(std::move(hooks)) {}

  // Attempts every auto-connect button that is not connected now and whose retry is due; statuses are the
  // buttons' as the connections were last read.
  void Tick(const std::vector<ButtonStatus>& statuses);
  // The network came back (an address change, a resume from sleep): what waits is due at once.
  void NetworkReturned(const std::vector<ButtonStatus>& statuses);
  // The user clicked the button, or the editor changed the buttons: what it stopped at is forgotten.
  void Forget(const ButtonSetting& row);
  void ForgetAll();
  // Waiting or NeedsCheck for a button this stopped at or waits with; none otherwise.
  std::optional<ButtonState> StateOf(const ButtonSetting& row) const;

 private:
  struct Entry {
    ButtonState state = ButtonState::NotConnected;
    int failures = 0;
    ULONGLONG due = 0;
  };
  void StartNext();
  void Finished(const std::shared_ptr<ConnectJob>& job, const Text& key);
  void Schedule();

  Services services_;
  Hooks hooks_;
  std::map<Text, Entry> entries_;  // by AutoConnectSet::KeyText
  std::vector<size_t> queue_;      // setting indices due for an attempt
};

}  // namespace velloway
