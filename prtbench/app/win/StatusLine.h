// The main window's status line as every dialog and worker reaches it: the
// program-wide status text, shown in the line on the window's own thread.
#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "prtbench/app/Messages.h"
#include "prtbench/link/Shared.h"
#include "winui/WindowLink.h"

namespace prtbench {

class StatusLine {
 public:
  explicit StatusLine(SharedState& shared) : shared_(shared) {}

  // From any thread: makes `text` (or the message in the current language)
  // the status text and shows it in the line.
  void Show(std::string text);
  void Show(Msg message);
  // From any thread: shows the status text as the last operation left it
  // (SendData's outcome). Requests pending at once are shown once.
  void ShowCurrent();

  // The window that shows the line: `show` runs on its thread through
  // `window`. Before this, and after the window is gone, texts are only kept
  // in the status text.
  void Attach(std::shared_ptr<winui::WindowLink> window, std::function<void(const std::string&)> show);

 private:
  SharedState& shared_;
  std::mutex mutex_;
  std::shared_ptr<winui::WindowLink> window_;
  std::function<void(const std::string&)> show_;
  std::atomic<bool> pending_{false};
};

}  // namespace prtbench
