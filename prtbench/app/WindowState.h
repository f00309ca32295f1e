// The state the windows show, shared by the window thread and the worker
// threads (automatic sending, status monitor, discovery): the language, the
// status text and the bytes-sent counter, each safe from any thread. The
// program keeps one; the windows reach it through their Context, and the
// status line is the one that writes it.
#pragma once

#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "prtbench/base/Language.h"
#include "prtbench/base/Outcome.h"

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

class WindowState final : public OutcomeReporter {
 public:
  // The main window starts it in Chinese, the settings load forces English.
  Language language() const { return language_.load(); }
  void SetLanguage(Language language) { language_.store(language); }

  std::string Status() const { return status_.Get(); }
  void SetStatus(std::string text) { status_.Set(std::move(text)); }

  std::int32_t TotalBytes() const { return totalBytes_.Get(); }
  void ResetTotalBytes() { totalBytes_.Reset(); }

  // The outcome's text in the current language becomes the status text: the
  // prefix, the message (its %d filled), then, for counted bytes, the counts
  // line with the counter grown by them. Record answers that text.
  void Report(const Outcome& outcome) override { Record(outcome); }
  std::string Record(const Outcome& outcome);

 private:
  std::atomic<Language> language_{Language::Chinese};
  StatusText status_;
  ByteCounter totalBytes_;
};

}  // namespace prtbench
