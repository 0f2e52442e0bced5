// COM entered for a thread while an object lives.
#pragma once

#include <windows.h>
#include <objbase.h>

namespace velloway {

// A thread that entered COM already keeps its own; this one leaves only what it entered.
class ComScope {
 public:
  ComScope() noexcept : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE)) {}
  ~ComScope() {
    if (SUCCEEDED(result_)) CoUninitialize();
  }
  ComScope(const ComScope&) = delete;
  ComScope& operator=(const ComScope&) = delete;

 private:
  HRESULT result_;
};

}  // namespace velloway
