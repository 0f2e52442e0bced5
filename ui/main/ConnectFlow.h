// A connect click after its button: the confirmation dialog, the connection on the network worker and its
// outcome in the main window; then what may follow (another user holding the server, a typed password that
// worked), and the details of a failure kept for the user to hand on.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "core/ConnectDetails.h"
#include "core/ConnectJob.h"
#include "core/PasswordUpdate.h"
#include "ui/main/MainServices.h"

namespace velloway {

class TF_ConnectionDialog;

class ConnectFlow {
 public:
  // What the flow does through the main window.
  struct Window {
    std::function<HWND()> handle;
    std::function<void(const Text& text)> status;
    std::function<void(std::vector<Text> locals, std::vector<Text> remotes)> connections;
    // The close of a connection, its open-files question included; then is told whether it was closed.
    std::function<void(const Text& name, std::function<void(bool closed)> then)> close;
    std::function<bool()> save;  // the settings, after the button's password was changed
    std::function<void(const Text& drive, const Text& remote)> made;  // a connection this flow made
    // A confirmed click's connect ended (shared: an administrator's button; asKept: it sent what the button keeps).
    std::function<void(const ButtonSetting& row, std::uint32_t result, bool shared, bool asKept)> clickEnded;
  };
  ConnectFlow(const MainServices& services, Window window) : services_(services), window_(std::move(window)) {}

  // The click on the button of settings row index, confirmed in dialog; the caller has checked that no network
  // operation runs and that the row's Folder is a share.
  void Click(size_t index, TF_ConnectionDialog& dialog);
  // Whether a click's connect runs now and may be given up.
  bool Running() const noexcept { return running_ != nullptr; }
  // Asks whether to stop waiting for the running connect; on yes the worker is free at once, and the call,
  // which cannot be stopped, goes on unwatched: its outcome is only logged, and a connection it made shows
  // in the panel. True when it was given up.
  bool AskGiveUp();
  // The details of the last connect when it failed.
  void ShowFailureDetails() const;
  bool HasFailureDetails() const noexcept { return failure_.has_value(); }

 private:
  void Run(const std::shared_ptr<ConnectJob>& job, std::function<void()> after);
  void NoteFailure(const ConnectJob& job, const ConnectOutcome& outcome);
  void Late(ConnectJob& job);
  void CloseHeldThenRetry(const std::vector<HeldConnection>& held, const std::shared_ptr<ConnectJob>& again,
                          size_t next);
  void OfferPassword(size_t index, const Text& password);

  const MainServices& services_;
  Window window_;
  RefusedPasswords refusedPasswords_;      // buttons whose stored password was refused in this run
  std::optional<ConnectDetails> failure_;  // the last connect's, when it failed
  std::shared_ptr<ConnectJob> running_;    // the connect the worker runs for a click
};

}  // namespace velloway
