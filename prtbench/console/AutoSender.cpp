// The automatic sending worker and its stop handshake.
#include "prtbench/console/AutoSender.h"

#include <chrono>

#include "common/Guarded.h"

namespace prtbench {

AutoSender::~AutoSender() { StopAndWait(); }

bool AutoSender::Start(Bytes buffer, unsigned periodMs, Send send, Sent sent, Ended ended) {
  std::unique_lock lock(mutex_);
  if (running_) return false;
  // the previous run has ended or is telling so; let it finish first
  if (thread_.joinable()) {
    lock.unlock();
    thread_.join();
    lock.lock();
  }
  stop_ = false;
  running_ = true;
  thread_ = std::thread(&AutoSender::Run, this, std::move(buffer), periodMs, std::move(send), std::move(sent),
                        std::move(ended));
  return true;
}

void AutoSender::Stop() {
  std::lock_guard lock(mutex_);
  stop_ = true;
  wake_.notify_all();
}

void AutoSender::StopAndWait() {
  Stop();
  if (thread_.joinable()) thread_.join();
}

bool AutoSender::Running() const {
  std::lock_guard lock(mutex_);
  return running_;
}

bool AutoSender::WaitPeriod(unsigned periodMs) {
  std::unique_lock lock(mutex_);
  return wake_.wait_for(lock, std::chrono::milliseconds(periodMs), [this] { return stop_; });
}

void AutoSender::Run(Bytes buffer, unsigned periodMs, Send send, Sent sent, Ended ended) {
  int count = 0;
  for (;;) {
    {
      std::lock_guard lock(mutex_);
      if (stop_) break;
    }
    // a send that throws ends the run as a failed one does
    bool delivered = false;
    if (!kit::Guarded([&] { delivered = send(buffer); }) || !delivered) break;
    sent(++count);
    if (WaitPeriod(periodMs)) break;
  }
  {
    std::lock_guard lock(mutex_);
    running_ = false;
  }
  // a Start from now on joins this thread first, so Ended stays the run's last word
  ended();
}

}  // namespace prtbench
