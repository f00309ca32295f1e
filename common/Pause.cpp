// Real sleeps, in slices where a stop may come, and a test's function.
#include "common/Pause.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace kit {

void SleepingClock::Pause(unsigned milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool SleepingClock::PauseUnless(unsigned milliseconds, const std::function<bool()>& askedToStop) {
  const auto stop = [&askedToStop] { return askedToStop && askedToStop(); };
  constexpr auto kSlice = std::chrono::milliseconds(20);
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
  for (auto now = std::chrono::steady_clock::now(); now < end; now = std::chrono::steady_clock::now()) {
    if (stop()) return true;
    std::this_thread::sleep_for(std::min<std::chrono::steady_clock::duration>(kSlice, end - now));
  }
  return stop();
}

bool FunctionClock::PauseUnless(unsigned milliseconds, const std::function<bool()>& askedToStop) {
  pause_(milliseconds);
  return askedToStop && askedToStop();
}

}  // namespace kit
