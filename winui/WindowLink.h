// How a worker thread reaches a window: by work handed to the window's own
// thread, never by touching the window itself, and never after it is gone.
// Every Dialog has one (Dialog::windowLink()), detached as its window is
// destroyed; workers keep a shared_ptr to it.
#pragma once

#include <windows.h>

#include <deque>
#include <functional>
#include <mutex>

namespace winui {

// Posted to the window when work waits; Dialog runs the work on receipt.
inline constexpr UINT kWindowLinkMessage = WM_APP + 0x3F00;

class WindowLink {
 public:
  explicit WindowLink(HWND window) : window_(window) {}

  // From any thread: runs `work` on the window's thread soon, in the order
  // handed over. False, with `work` dropped unrun, once the window is gone.
  bool Call(std::function<void()> work);
  // From any thread: posts `message` to the window; false once it is gone.
  bool Post(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

  // Window thread only: runs the work waiting now.
  void RunPending();
  // Window thread only, as the window goes: drops waiting work, and makes
  // every later Call and Post a no-op.
  void Detach();

 private:
  std::mutex mutex_;
  HWND window_;
  std::deque<std::function<void()>> pending_;
};

}  // namespace winui
