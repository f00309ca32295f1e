// Automatic sending: one worker thread that sends the same buffer every
// period until it is stopped or a send fails. At most one run exists at a
// time, and the buffer belongs to the run that sends it.
#pragma once

#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "prtbench/console/Hex.h"

namespace prtbench {

class AutoSender {
 public:
  // Sends one buffer; false when the send failed. Runs on the worker.
  using Send = std::function<bool(const Bytes&)>;
  // Told on the worker after each good send, with the count of sends so far.
  using Sent = std::function<void(int count)>;
  // Told on the worker as its last act, whether it was stopped or a send
  // failed. Must neither call Start itself (Start joins the worker) nor wait
  // for the thread that does.
  using Ended = std::function<void()>;

  AutoSender() = default;
  ~AutoSender();  // stops and waits for the run
  AutoSender(const AutoSender&) = delete;
  AutoSender& operator=(const AutoSender&) = delete;

  // Starts a run that sends `buffer` every `periodMs`. Refused (false) while a
  // previous run is still going: the caller starts again after its Ended.
  bool Start(Bytes buffer, unsigned periodMs, Send send, Sent sent, Ended ended);

  // Asks the run to end: it sends nothing more and ends without waiting out
  // its period. Returns at once.
  void Stop();

  // Stop, then wait until the run has ended (at most one send in progress).
  void StopAndWait();

  // True from Start until the run has decided to end.
  bool Running() const;

 private:
  void Run(Bytes buffer, unsigned periodMs, Send send, Sent sent, Ended ended);
  // Waits `periodMs` unless stopped first; true when stopped.
  bool WaitPeriod(unsigned periodMs);

  mutable std::mutex mutex_;
  std::condition_variable wake_;
  bool stop_ = false;
  bool running_ = false;
  std::thread thread_;
};

}  // namespace prtbench
