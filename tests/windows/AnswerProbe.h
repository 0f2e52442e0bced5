// Asks a window, from a thread of its own, to answer WM_NULL again and again, as Windows does before it
// calls a window "not responding", and keeps how long the window went without answering.
#pragma once

#include <windows.h>

#include <atomic>
#include <thread>

namespace velloway::testing {

class AnswerProbe {
 public:
  // Each ask waits at most timeoutMilliseconds; one that waits longer counts as missed.
  AnswerProbe(HWND window, DWORD timeoutMilliseconds);
  ~AnswerProbe();
  AnswerProbe(const AnswerProbe&) = delete;
  AnswerProbe& operator=(const AnswerProbe&) = delete;

  // Ends the asking; the figures are final afterwards.
  void Stop();
  int Answers() const noexcept { return answers_; }
  int Missed() const noexcept { return missed_; }
  // The longest time from the start or one answer to the next answer or missed ask.
  double LongestSilenceMilliseconds() const noexcept { return longest_; }

 private:
  void Run(HWND window, DWORD timeoutMilliseconds);
  std::atomic<bool> stop_{false};
  std::atomic<int> answers_{0};
  std::atomic<int> missed_{0};
  std::atomic<double> longest_{0};
  std::thread thread_;
};

}  // namespace velloway::testing
