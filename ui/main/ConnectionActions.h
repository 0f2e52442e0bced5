// A listed connection's Open and Close: what must ask the network runs on the worker, the open-files question
// is asked before a close is forced, and the outcome shows on the main window's status line.
#pragma once

#include <windows.h>

#include <functional>
#include <vector>

#include "ui/main/MainServices.h"

namespace velloway {

class ConnectionActions {
 public:
  // What the actions do through the main window; handle is null once the window is gone.
  struct Window {
    std::function<HWND()> handle;
    std::function<void(const Text& text)> status;
    std::function<void(std::vector<Text> locals, std::vector<Text> remotes)> connections;
  };
  ConnectionActions(const MainServices& services, Window window) : services_(services), window_(std::move(window)) {}

  // Opens a connection by its name (a drive, or the remote name of one without a drive) in Explorer.
  void Open(const Text& name);
  // Closes a connection, asking first before forcing it; then is told whether it was closed, once it is done.
  // False when another network operation runs: nothing started, and then is not called.
  [[nodiscard]] bool Close(const Text& name, bool force, std::function<void(bool closed)> then = {});

 private:
  // Opens a remote name once the worker has found it to be a folder.
  void OpenRemoteFolder(const Text& target);

  const MainServices& services_;
  Window window_;
};

}  // namespace velloway
