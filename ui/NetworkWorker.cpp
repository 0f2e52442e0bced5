// The worker thread and the way back to the windows' thread.
#include "ui/NetworkWorker.h"

#include <utility>

#include "ui/ErrorReport.h"
#include "ui/Window.h"

namespace velloway {
namespace {

constexpr wchar_t kClassName[] = L"VellowayNetworkWorker";
constexpr UINT kRunPosted = WM_APP + 1;

}  // namespace

NetworkWorker::NetworkWorker() {
  HINSTANCE instance = GetModuleHandleW(nullptr);
  WNDCLASSEXW windowClass{};
  windowClass.lpfnWndProc = &NetworkWorker::Procedure;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  EnsureWindowClass(windowClass);
  window_ = CreateWindowExW(0, kClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, instance, nullptr);
  if (window_ != nullptr) SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

NetworkWorker::~NetworkWorker() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool NetworkWorker::Start(std::function<void()> work, std::function<void()> done) {
  if (busy_ || window_ == nullptr) return false;
  if (thread_.joinable()) thread_.join();  // ended already: its last post has been run
  stop_ = false;
  inCall_ = true;
  SetBusy(true);
  try {
    thread_ = std::thread([this, work = std::move(work), done = std::move(done)]() mutable {
      std::exception_ptr error;
      try {
        work();
      } catch (...) {
        error = std::current_exception();
      }
      Post([this, done = std::move(done), error] { Finish(done, error); });
      inCall_ = false;
    });
  } catch (...) {
    inCall_ = false;
    SetBusy(false);  // no thread: the system is out of them
    throw;
  }
  return true;
}

void NetworkWorker::Post(std::function<void()> action) {
  {
    const std::lock_guard<std::mutex> lock(mutex_);
    posted_.push_back(std::move(action));
  }
  PostMessageW(window_, kRunPosted, 0, 0);
}

void NetworkWorker::OnBusyChanged(std::function<void()> listener) { listeners_.push_back(std::move(listener)); }

// One at a time, taken from the front: an action that opens a message box runs a message loop, which
// may come back here for the next ones; they still run in order.
void NetworkWorker::RunPosted() {
  while (true) {
    std::function<void()> action;
    {
      const std::lock_guard<std::mutex> lock(mutex_);
      if (posted_.empty()) return;
      action = std::move(posted_.front());
      posted_.pop_front();
    }
    try {
      action();
    } catch (...) {
      ReportCurrentException(GetActiveWindow());
    }
  }
}

void NetworkWorker::Finish(const std::function<void()>& done, const std::exception_ptr& error) {
  if (thread_.joinable()) thread_.join();  // it posted this as its last act
  SetBusy(false);
  if (error) std::rethrow_exception(error);
  if (done) done();
}

void NetworkWorker::SetBusy(bool busy) {
  busy_ = busy;
  for (const auto& listener : listeners_) listener();
}

LRESULT CALLBACK NetworkWorker::Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  auto* self = reinterpret_cast<NetworkWorker*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == kRunPosted && self != nullptr) {
    self->RunPosted();
    return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace velloway
