// The status monitor's worker: one thread that keeps a connection to the
// printer's status port, asks for its status several times a second and
// keeps the ten lamps and the status word. It never draws: it says the lamps
// changed, and whoever shows them reads lamps() on their own thread.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>
#include <thread>

#include "common/Pause.h"
#include "prtbench/base/Messages.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/nettools/Status.h"

namespace prtbench {

inline constexpr ConnectTimeout kMonitorConnectTimeout{1, 0};
inline constexpr unsigned kMonitorRetryMs = 1000;     // after a failed connect
inline constexpr unsigned kMonitorReplyWaitMs = 100;  // between request and read
// how long the rest of a status word may lag behind its first bytes
inline constexpr unsigned kMonitorReplyRestMs = 100;
inline constexpr unsigned kMonitorAfterReplyMs = 100;
inline constexpr unsigned kMonitorAfterMissMs = 200;
inline constexpr int kMonitorMissLimit = 5;  // polls without a reply before reconnecting

class NetMonitor {
 public:
  // Called from the monitor thread and from Start/Stop, never under the
  // monitor's lock, so they may call back into it.
  struct Reports {
    std::function<void()> lampsChanged;
    std::function<void(Msg)> status;  // for the main window's status line
  };

  // The monitor's waits go by `clock`.
  NetMonitor(MonitorConnection& connection, kit::Clock& clock, Reports reports);
  ~NetMonitor();  // Shutdown()
  NetMonitor(const NetMonitor&) = delete;
  NetMonitor& operator=(const NetMonitor&) = delete;

  // Monitoring of `address` (port 4000) is wanted. Starts the monitor thread
  // unless one runs; a thread still running (also one stopped but not yet
  // ended) goes on: connected to another printer it leaves that one at its
  // next poll, lamps black, and connects to `address`. At most one thread
  // ever runs.
  void Start(Ipv4 address);
  // Clears the running flag and turns every lamp black at once. The thread
  // ends within about 20 ms of its current wait, a connect attempt's
  // included: lamps black, connection closed, "Network monitoring has quit!".
  void Stop();
  // Stop, close the monitor connection, and wait for the thread to end.
  void Shutdown();

  Lamps lamps() const;
  std::uint32_t statusWord() const;
  bool running() const;        // the running flag
  bool threadRunning() const;  // a monitor thread exists

 private:
  void Run();
  // One run of the thread until the flag is cleared: connect, poll, reconnect.
  void Session();
  // Polls the printer connected at `address` until it is lost or another
  // address is wanted (returns true) or the flag is cleared (false).
  bool PollUntilLost(Ipv4 address);
  // The reply to one request: reads until the four bytes of the status word
  // are in, the printer stops sending, or kMonitorReplyRestMs passed since
  // the first bytes. The count read, or ReceiveFromMonitor's first result
  // when nothing came.
  int ReadReply(std::span<std::uint8_t> reply);
  bool Wanted() const;
  // The monitor's waits: each ends early once Stop has been called.
  void PauseUnlessStopped(unsigned milliseconds);
  Ipv4 Address() const;
  void SetLamps(const Lamps& lamps);
  void SetLamp(int lamp, LampColour colour);
  // Changes the lamps under the lock; reports when they changed.
  void ChangeLamps(const std::function<void(Lamps&)>& change);
  // Stores `received` unless it is 0; returns the stored word.
  std::uint32_t StoreWord(std::uint32_t received);
  void ClearWord();

  MonitorConnection& connection_;
  kit::Clock& clock_;
  Reports reports_;
  mutable std::mutex mutex_;
  bool wanted_ = false;
  bool threadRunning_ = false;
  Ipv4 address_ = 0;
  std::uint32_t word_ = 0;
  Lamps lamps_ = AllLamps(LampColour::Black);
  std::thread thread_;  // Start and Shutdown only, on one thread
};

}  // namespace prtbench
