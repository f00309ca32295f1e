// The main window's status line as every dialog and worker reaches it, and the
// one writer of the window's state: the status text (shown in the line on the
// window's own thread), the language, and the bytes-sent counter.
#pragma once

#include <atomic>
#include <cstdint>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "prtbench/base/Messages.h"
#include "prtbench/base/Outcome.h"
#include "prtbench/app/WindowState.h"
#include "winui/WindowLink.h"

namespace prtbench {

class StatusLine final : public OutcomeReporter {
 public:
  explicit StatusLine(WindowState& state) : state_(state) {}  // `state` outlives it

  // From any thread: makes `text` (or the message in the current language)
  // the status text and shows it in the line.
  void Show(std::string text);
  void Show(Msg message);
  // From any thread: shows the status text as the last operation left it
  // (SendData's outcome). Requests pending at once are shown once.
  void ShowCurrent();
  // From any thread: makes `text` (or the message) the status text without
  // showing it; the next ShowCurrent or a dialog's status box shows it.
  void SetText(std::string text) { state_.SetStatus(std::move(text)); }
  void SetText(Msg message) { SetText(std::string(MessageText(message, language()))); }
  std::string Text() const { return state_.Status(); }
  // The printer link's outcomes: words them into the status text (and the
  // counter) like SetText, without showing them.
  void Report(const Outcome& outcome) override { state_.Report(outcome); }
  // Report, answering the text the outcome became.
  std::string Record(const Outcome& outcome) { return state_.Record(outcome); }

  Language language() const { return state_.language(); }
  void SetLanguage(Language language) { state_.SetLanguage(language); }
  std::int32_t TotalBytes() const { return state_.TotalBytes(); }
  void ResetTotalBytes() { state_.ResetTotalBytes(); }

  // The window that shows the line: `show` runs on its thread through
  // `window`. Before this, and after the window is gone, texts are only kept
  // in the status text.
  void Attach(std::shared_ptr<winui::WindowLink> window, std::function<void(const std::string&)> show);

 private:
  WindowState& state_;
  std::mutex mutex_;
  std::shared_ptr<winui::WindowLink> window_;
  std::function<void(const std::string&)> show_;
  std::atomic<bool> pending_{false};
};

}  // namespace prtbench
