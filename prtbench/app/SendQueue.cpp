// One worker thread running the window's send jobs in order.
#include "prtbench/app/SendQueue.h"

#include "common/Guarded.h"

namespace prtbench {

SendQueue::SendQueue(Failed failed) : failed_(std::move(failed)), thread_(&SendQueue::Run, this) {}

SendQueue::~SendQueue() { Close(); }

void SendQueue::Post(Job job) {
  std::lock_guard lock(mutex_);
  if (closing_) return;
  jobs_.push_back(std::move(job));
  wake_.notify_all();
}

bool SendQueue::Busy() const {
  std::lock_guard lock(mutex_);
  return working_ || !jobs_.empty();
}

void SendQueue::Close() {
  {
    std::lock_guard lock(mutex_);
    closing_ = true;
    jobs_.clear();
    wake_.notify_all();
  }
  if (thread_.joinable()) thread_.join();
}

void SendQueue::Run() {
  const Cancelled cancelled = [this] {
    std::lock_guard lock(mutex_);
    return closing_;
  };
  for (;;) {
    Job job;
    {
      std::unique_lock lock(mutex_);
      working_ = false;
      wake_.wait(lock, [this] { return closing_ || !jobs_.empty(); });
      if (closing_) return;
      job = std::move(jobs_.front());
      jobs_.pop_front();
      working_ = true;
    }
    if (!kit::Guarded([&] { job(cancelled); }) && failed_) failed_();
  }
}

}  // namespace prtbench
