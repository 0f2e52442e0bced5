// The IP helper's address-change notification, waited for on a thread of its own.
#include "platform/AddressChangeWatch.h"

#include <iphlpapi.h>

namespace velloway {

AddressChangeWatch::AddressChangeWatch(HWND window, UINT message) noexcept : window_(window), message_(message) {
  overlapped_.hEvent = CreateEventW(nullptr, FALSE, FALSE, nullptr);
  if (overlapped_.hEvent == nullptr) return;
  if (!Arm() || !RegisterWaitForSingleObject(&wait_, overlapped_.hEvent, &AddressChangeWatch::Changed, this, INFINITE,
                                             WT_EXECUTEDEFAULT)) {
    wait_ = nullptr;
  }
}

AddressChangeWatch::~AddressChangeWatch() {
  if (overlapped_.hEvent == nullptr) return;
  // No callback runs after this: the wait is gone, then the request.
  if (wait_ != nullptr) UnregisterWaitEx(wait_, INVALID_HANDLE_VALUE);
  CancelIPChangeNotify(&overlapped_);
  CloseHandle(overlapped_.hEvent);
}

bool AddressChangeWatch::Arm() noexcept {
  HANDLE ignored = nullptr;
  return NotifyAddrChange(&ignored, &overlapped_) == ERROR_IO_PENDING;
}

void CALLBACK AddressChangeWatch::Changed(void* self, BOOLEAN) {
  auto& watch = *static_cast<AddressChangeWatch*>(self);
  PostMessageW(watch.window_, watch.message_, 0, 0);
  watch.Arm();  // the notification is for one change; the next one is asked for at once
}

}  // namespace velloway
