// Real sleeps, a test's function, and the process-wide override being retired.
#include "common/Pause.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <thread>

namespace kit {
namespace {
std::atomic<const PauseFunction*> g_override{nullptr};
}

void Pause(unsigned milliseconds) {
  if (const PauseFunction* f = g_override.load()) {
    (*f)(milliseconds);
    return;
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

bool PauseUnless(unsigned milliseconds, const std::function<bool()>& askedToStop) {
  if (const PauseFunction* f = g_override.load()) return FunctionClock(*f).PauseUnless(milliseconds, askedToStop);
  return SleepingClock().PauseUnless(milliseconds, askedToStop);
}

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

ScopedPauseOverride::ScopedPauseOverride(PauseFunction replacement)
    : replacement_(std::move(replacement)), previous_(g_override.exchange(&replacement_)) {}

ScopedPauseOverride::~ScopedPauseOverride() { g_override.store(previous_); }

}  // namespace kit
