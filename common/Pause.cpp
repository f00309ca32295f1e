// Real sleeps by default; a test's replacement while one is installed.
#include "common/Pause.h"

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

ScopedPauseOverride::ScopedPauseOverride(PauseFunction replacement)
    : replacement_(std::move(replacement)), previous_(g_override.exchange(&replacement_)) {}

ScopedPauseOverride::~ScopedPauseOverride() { g_override.store(previous_); }

}  // namespace kit
