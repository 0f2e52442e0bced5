// The worker thread and the way back to the windows' thread.
#include "ui/services/NetworkWorker.h"

#include <algorithm>
#include <utility>

#include "ui/framework/ErrorReport.h"
#include "ui/framework/Window.h"

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
  if (current_ != nullptr && current_->thread.joinable()) current_->thread.join();
  for (const auto& operation : abandoned_) {
    if (operation->thread.joinable()) operation->thread.join();
  }
  if (window_ != nullptr) {
    SetWindowLongPtrW(window_, GWLP_USERDATA, 0);
    DestroyWindow(window_);
  }
}

bool NetworkWorker::Start(std::function<void()> work, std::function<void()> done) {
  if (Busy() || window_ == nullptr) return false;
  stop_ = false;
  auto operation = std::make_shared<Operation>();
  operation->done = std::move(done);
  ++calls_;
  current_ = operation;
  BusyChanged();
  try {
    // The thread knows its operation by address only: the operation, and so its thread, is this object's.
    operation->thread = std::thread([this, finished = operation.get(), work = std::move(work)] {
      std::exception_ptr error;
      try {
        work();
      } catch (...) {
        error = std::current_exception();
      }
      Post([this, finished, error] { Finish(finished, error); });
      --calls_;
    });
  } catch (...) {
    --calls_;
    current_.reset();  // no thread: the system is out of them
    BusyChanged();
    throw;
  }
  return true;
}

void NetworkWorker::Abandon(std::function<void()> late) {
  if (current_ == nullptr) return;
  current_->done = std::move(late);
  abandoned_.push_back(std::move(current_));
  BusyChanged();
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

void NetworkWorker::Finish(Operation* finished, const std::exception_ptr& error) {
  std::shared_ptr<Operation> operation;
  bool givenUp = false;
  if (current_.get() == finished) {
    operation = current_;
  } else {
    const auto found = std::find_if(abandoned_.begin(), abandoned_.end(),
                                    [finished](const auto& given) { return given.get() == finished; });
    if (found == abandoned_.end()) return;
    operation = *found;
    abandoned_.erase(found);
    givenUp = true;
  }
  if (operation->thread.joinable()) operation->thread.join();  // it posted this as its last act
  if (!givenUp) {
    current_.reset();
    BusyChanged();
    if (error) std::rethrow_exception(error);
  }
  if (operation->done) operation->done();
}

void NetworkWorker::BusyChanged() {
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
