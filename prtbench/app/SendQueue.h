// The main window's sends run here, one job after another on one worker
// thread, so the window never waits for a printer and jobs keep the order in
// which the user asked for them.
#pragma once

#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>

namespace prtbench {

class SendQueue {
 public:
  // A job is told whether the queue is closing between its sends: a long job
  // stops early when `cancelled()` turns true.
  using Cancelled = std::function<bool()>;
  using Job = std::function<void(const Cancelled& cancelled)>;
  // Told on the worker thread when a job ended by throwing; the next job
  // runs as usual.
  using Failed = std::function<void()>;

  explicit SendQueue(Failed failed = {});
  ~SendQueue();  // Close()
  SendQueue(const SendQueue&) = delete;
  SendQueue& operator=(const SendQueue&) = delete;

  // Queues `job` after those already queued; ignored once closed.
  void Post(Job job);

  // True while a job runs or waits.
  bool Busy() const;

  // Drops the jobs not started, tells the running one to stop and waits for
  // it. After this Post does nothing.
  void Close();

 private:
  void Run();

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  std::deque<Job> jobs_;
  bool closing_ = false;
  bool working_ = false;
  Failed failed_;
  std::thread thread_;
};

}  // namespace prtbench
