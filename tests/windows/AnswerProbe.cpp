// The probe's thread.
#include "AnswerProbe.h"

#include <algorithm>

namespace velloway::testing {
namespace {

double Now() {
  LARGE_INTEGER counter{};
  LARGE_INTEGER frequency{};
  QueryPerformanceCounter(&counter);
  QueryPerformanceFrequency(&frequency);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

}  // namespace

AnswerProbe::AnswerProbe(HWND window, DWORD timeoutMilliseconds)
    : thread_([this, window, timeoutMilliseconds] { Run(window, timeoutMilliseconds); }) {}

AnswerProbe::~AnswerProbe() { Stop(); }

void AnswerProbe::Stop() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

void AnswerProbe::Run(HWND window, DWORD timeoutMilliseconds) {
  double lastAnswer = Now();
  while (!stop_) {
    DWORD_PTR result = 0;
    const bool answered = SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, timeoutMilliseconds, &result) != 0;
    // The ask under way when the probe is stopped waits for the thread that stops it: not counted.
    if (stop_) break;
    const double now = Now();
    longest_ = std::max(longest_.load(), now - lastAnswer);
    if (answered) {
      ++answers_;
      lastAnswer = now;
    } else {
      ++missed_;
    }
    Sleep(10);
  }
}

}  // namespace velloway::testing
