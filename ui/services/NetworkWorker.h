// Runs the network's blocking calls on a thread of their own, one operation at a time, so that the
// windows keep painting and answering while a server takes its time; what an operation leaves for the
// windows runs back on the windows' thread, in the order the worker gave it. A call that does not return
// can be given up: its thread is left to finish on its own, and the next operation gets a thread of its own.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace velloway {

class NetworkWorker {
 public:
  NetworkWorker();
  // Asks a running operation to stop and waits for its thread, and for those of operations given up: nothing
  // is left running. What they would have handed back to the windows is dropped.
  ~NetworkWorker();
  NetworkWorker(const NetworkWorker&) = delete;
  NetworkWorker& operator=(const NetworkWorker&) = delete;

  // True from Start until the operation's done has been called or it was given up (windows' thread only).
  bool Busy() const noexcept { return current_ != nullptr; }

  // Starts work on a worker thread, unless an operation is running: then nothing starts and the
  // answer is false. done runs on this thread once work has returned; an error that work raised is
  // raised here instead of done, as an error of a window's handler is.
  [[nodiscard]] bool Start(std::function<void()> work, std::function<void()> done);

  // Stops waiting for the running operation (windows' thread): Busy turns false at once, and late takes the
  // place of its done, run when its work returns at last (an error it raised then is dropped).
  void Abandon(std::function<void()> late);

  // From work: runs action on the windows' thread, after everything posted before it.
  void Post(std::function<void()> action);

  // Asks the running walk to stop at its next read; cleared when the next operation starts.
  void RequestStop() noexcept { stop_ = true; }
  // Asked by work between two reads (any thread).
  bool StopRequested() const noexcept { return stop_; }

  // Called on the windows' thread whenever Busy changes.
  void OnBusyChanged(std::function<void()> listener);

  // Whether a worker thread is still in an operation's work, a given-up one's included (any thread): a call
  // that has not returned.
  bool InCall() const noexcept { return calls_ > 0; }

 private:
  struct Operation {
    std::thread thread;
    std::function<void()> done;
  };
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunPosted();
  void Finish(Operation* finished, const std::exception_ptr& error);
  void BusyChanged();

  HWND window_ = nullptr;  // message-only: where the worker's posts arrive on the windows' thread
  std::shared_ptr<Operation> current_;
  std::vector<std::shared_ptr<Operation>> abandoned_;  // given up, their work not yet returned
  std::mutex mutex_;
  std::deque<std::function<void()>> posted_;  // guarded by mutex_
  std::atomic<bool> stop_{false};
  std::atomic<int> calls_{0};
  std::vector<std::function<void()>> listeners_;
};

}  // namespace velloway
