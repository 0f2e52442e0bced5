// Runs the network's blocking calls on a thread of their own, one operation at a time, so that the
// windows keep painting and answering while a server takes its time; what an operation leaves for the
// windows runs back on the windows' thread, in the order the worker gave it.
#pragma once

#include <windows.h>

#include <atomic>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace velloway {

class NetworkWorker {
 public:
  NetworkWorker();
  // Asks a running operation to stop and waits for its thread: nothing is left running. What it would
  // have handed back to the windows is dropped.
  ~NetworkWorker();
  NetworkWorker(const NetworkWorker&) = delete;
  NetworkWorker& operator=(const NetworkWorker&) = delete;

  // True from Start until the operation's done has been called (windows' thread only).
  bool Busy() const noexcept { return busy_; }

  // Starts work on the worker thread, unless an operation is running: then nothing starts and the
  // answer is false. done runs on this thread once work has returned; an error that work raised is
  // raised here instead of done, as an error of a window's handler is.
  bool Start(std::function<void()> work, std::function<void()> done);

  // From work: runs action on the windows' thread, after everything posted before it.
  void Post(std::function<void()> action);

  // Asks the running walk to stop at its next read; cleared when the next operation starts.
  void RequestStop() noexcept { stop_ = true; }
  // Asked by work between two reads (any thread).
  bool StopRequested() const noexcept { return stop_; }

  // Called on the windows' thread whenever Busy changes.
  void OnBusyChanged(std::function<void()> listener);

  // Whether the worker thread is still in an operation's work (any thread): a call that has not returned.
  bool InCall() const noexcept { return inCall_; }

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void RunPosted();
  void Finish(const std::function<void()>& done, const std::exception_ptr& error);
  void SetBusy(bool busy);

  HWND window_ = nullptr;  // message-only: where the worker's posts arrive on the windows' thread
  std::thread thread_;
  std::mutex mutex_;
  std::deque<std::function<void()>> posted_;  // guarded by mutex_
  std::atomic<bool> stop_{false};
  std::atomic<bool> inCall_{false};
  bool busy_ = false;
  std::vector<std::function<void()>> listeners_;
};

}  // namespace velloway
