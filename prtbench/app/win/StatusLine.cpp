// StatusLine: one request to the window at a time, so a fast worker cannot
// flood the window's queue.
#include "prtbench/app/win/StatusLine.h"

#include <utility>

namespace prtbench {

void StatusLine::Show(std::string text) {
  SetText(std::move(text));
  ShowCurrent();
}

void StatusLine::Show(Msg message) { Show(std::string(MessageText(message, language()))); }

void StatusLine::ShowCurrent() {
  std::shared_ptr<winui::WindowLink> window;
  {
    std::lock_guard lock(mutex_);
    window = window_;
  }
  if (!window || pending_.exchange(true)) return;
  const bool handed = window->Call([this] {
    pending_.store(false);
    // the text as it is when the window gets to it: the newest
    std::function<void(const std::string&)> show;
    {
      std::lock_guard lock(mutex_);
      show = show_;
    }
    if (show) show(Text());
  });
  if (!handed) pending_.store(false);
}

void StatusLine::Attach(std::shared_ptr<winui::WindowLink> window, std::function<void(const std::string&)> show) {
  std::lock_guard lock(mutex_);
  window_ = std::move(window);
  show_ = std::move(show);
}

}  // namespace prtbench
