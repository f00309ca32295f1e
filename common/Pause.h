// The one place where programs wait for a fixed time, so that tests can make
// waits instant and record them instead of sleeping.
#pragma once

#include <functional>

namespace kit {

using PauseFunction = std::function<void(unsigned milliseconds)>;

// Waits `milliseconds` (a real sleep unless a test replaced it). Thread-safe.
void Pause(unsigned milliseconds);

// Waits like Pause but ends early, within about 20 ms, once `stop` answers
// true; returns whether `stop` answered true (an empty `stop` never does). A
// test's replacement is called with the whole `milliseconds` instead, and
// `stop` asked after it.
bool PauseUnless(unsigned milliseconds, const std::function<bool()>& stop);

// Replaces Pause for the life of this object, for every thread; restores the
// previous behaviour on destruction. Install before starting threads that pause.
class ScopedPauseOverride {
 public:
  explicit ScopedPauseOverride(PauseFunction replacement);
  ~ScopedPauseOverride();
  ScopedPauseOverride(const ScopedPauseOverride&) = delete;
  ScopedPauseOverride& operator=(const ScopedPauseOverride&) = delete;

 private:
  PauseFunction replacement_;
  const PauseFunction* previous_;
};

}  // namespace kit
