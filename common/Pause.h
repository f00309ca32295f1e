// How programs wait for a fixed time. Work that pauses is handed a Clock by
// its owner: the program's assembly gives a SleepingClock, a test a
// FunctionClock that records the waits and returns at once.
#pragma once

#include <functional>

namespace kit {

using PauseFunction = std::function<void(unsigned milliseconds)>;

class Clock {
 public:
  virtual ~Clock() = default;
  // Waits `milliseconds`. Thread-safe.
  virtual void Pause(unsigned milliseconds) = 0;
  // Waits like Pause but ends early, within about 20 ms, once `stop` answers
  // true; returns whether `stop` answered true (an empty `stop` never does).
  virtual bool PauseUnless(unsigned milliseconds, const std::function<bool()>& stop) = 0;
};

// Real sleeps.
class SleepingClock final : public Clock {
 public:
  void Pause(unsigned milliseconds) override;
  bool PauseUnless(unsigned milliseconds, const std::function<bool()>& stop) override;
};

// Calls `pause` with the whole time instead of waiting; PauseUnless asks
// `stop` after it.
class FunctionClock final : public Clock {
 public:
  explicit FunctionClock(PauseFunction pause = [](unsigned) {}) : pause_(std::move(pause)) {}
  void Pause(unsigned milliseconds) override { pause_(milliseconds); }
  bool PauseUnless(unsigned milliseconds, const std::function<bool()>& stop) override;

 private:
  PauseFunction pause_;
};

}  // namespace kit
