// Tells a window when this machine's network addresses change (a VPN comes up, a cable is plugged in, Wi-Fi
// joins): the IP helper's change notification, waited for on the thread pool and posted as a message.
#pragma once

#include <windows.h>

namespace velloway {

class AddressChangeWatch {
 public:
  // Posts message to window at every change, until destroyed. Watches nothing when the system offers no
  // notification.
  AddressChangeWatch(HWND window, UINT message) noexcept;
  ~AddressChangeWatch();
  AddressChangeWatch(const AddressChangeWatch&) = delete;
  AddressChangeWatch& operator=(const AddressChangeWatch&) = delete;

 private:
  static void CALLBACK Changed(void* self, BOOLEAN timedOut);
  bool Arm() noexcept;

  HWND window_;
  UINT message_;
  OVERLAPPED overlapped_{};
  HANDLE wait_ = nullptr;
};

}  // namespace velloway
