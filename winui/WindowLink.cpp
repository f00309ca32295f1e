// WindowLink: a queue of work for the window's thread behind one lock.
#include "winui/WindowLink.h"

#include <utility>

namespace winui {

bool WindowLink::Call(std::function<void()> work) {
  std::lock_guard lock(mutex_);
  if (!window_) return false;
  pending_.push_back(std::move(work));
  // one wake-up for a burst of work: the first one drains them all
  if (pending_.size() == 1 && !PostMessageW(window_, kWindowLinkMessage, 0, 0)) {
    pending_.clear();
    return false;
  }
  return true;
}

bool WindowLink::Post(UINT message, WPARAM wParam, LPARAM lParam) {
  std::lock_guard lock(mutex_);
  return window_ && PostMessageW(window_, message, wParam, lParam);
}

void WindowLink::RunPending() {
  std::deque<std::function<void()>> work;
  {
    std::lock_guard lock(mutex_);
    work.swap(pending_);
  }
  // outside the lock: the work may hand over more work
  for (auto& item : work) item();
}

void WindowLink::Detach() {
  std::deque<std::function<void()>> dropped;
  std::lock_guard lock(mutex_);
  window_ = nullptr;
  dropped.swap(pending_);
}

}  // namespace winui
