// The program-wide values that the window thread and the worker threads
// (automatic sending, status monitor, discovery) share: each is safe to read
// and write from any thread.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "prtbench/app/Messages.h"

namespace prtbench {

// The status text: the last outcome, shown by the windows in their status box.
class StatusText {
 public:
  void Set(std::string text);
  std::string Get() const;

 private:
  mutable std::mutex mutex_;
  std::string text_;
};

// Bytes sent since start or since Clear: a 32-bit signed count that wraps.
class ByteCounter {
 public:
  // Adds `bytes` (modulo 2^32) and returns the new total.
  std::int32_t Add(std::uint32_t bytes);
  std::int32_t Get() const { return total_.load(); }
  void Reset() { total_.store(0); }

 private:
  std::atomic<std::int32_t> total_{0};
};

struct SharedState {
  // The main window starts it in Chinese, the settings load forces English.
  std::atomic<Language> language{Language::Chinese};
  StatusText status;
  ByteCounter totalBytes;
};

}  // namespace prtbench
