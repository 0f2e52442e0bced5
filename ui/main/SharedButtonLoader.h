// The administrator's shared buttons, read on a worker of their own after the user's own buttons are shown,
// and given up after a few seconds: then, as when the file cannot be read, the copy of the last good read
// stands in, and the status line says from when it is. A damaged file costs only its damaged lines.
#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <vector>

#include "core/SharedButtons.h"
#include "ui/main/MainServices.h"

namespace velloway {

class SharedButtonLoader {
 public:
  struct Hooks {
    std::function<void(const Text& status)> status;
    // The shared buttons changed: gone are the earlier ones whose share went or moved.
    std::function<void(const SharedButtons& gone)> changed;
  };
  // The window's timer timerId is the loader's (see HandleMessage).
  SharedButtonLoader(const MainServices& services, Hooks hooks, UINT_PTR timerId)
      : services_(services), hooks_(std::move(hooks)), timerId_(timerId) {}

  void Attach(HWND window) noexcept { window_ = window; }
  void Detach() noexcept { window_ = nullptr; }
  // The time limit: true when the message was its timer.
  bool HandleMessage(UINT message, WPARAM wParam);
  // Reads the shared files anew, unless a read still runs, a given-up one included (that one is asked again
  // once it returns); the copy is kept in settingsFolder.
  void Load(const Text& settingsFolder);

 private:
  struct Read;
  void Finished(const Read& read);
  void UseCopy(const Text& path);
  void Apply(SharedButtons buttons);

  const MainServices& services_;
  Hooks hooks_;
  UINT_PTR timerId_;
  HWND window_ = nullptr;
  Text settingsFolder_;
  Text copyPath_;
  bool passwordsTold_ = false;    // that the file holds passwords is said once a run
  bool askedWhileStuck_ = false;  // a Load came while a given-up read had not returned
};

}  // namespace velloway
