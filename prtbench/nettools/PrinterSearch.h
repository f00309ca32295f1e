// The printer search: one thread that binds UDP port 9000, broadcasts the
// find request and hands over every printer that answers, until it is
// stopped. At most one runs; stopping waits for it, so port 9000 is free
// again when Stop returns.
#pragma once

#include <atomic>
#include <functional>
#include <thread>

#include "common/Pause.h"
#include "prtbench/base/Messages.h"
#include "prtbench/nettools/DatagramSockets.h"
#include "prtbench/nettools/Discovery.h"

namespace prtbench {

inline constexpr unsigned kSearchReceiveWaitMs = 200;  // how soon a stop is seen
inline constexpr unsigned kSearchErrorPauseMs = 100;   // after a failed receive
// Save holds port 9000 for a moment: a search waits that out before it says
// another program has the port
inline constexpr int kSearchBindAttempts = 5;
inline constexpr unsigned kSearchBindRetryMs = 200;

class PrinterSearch {
 public:
  // Called from the search thread.
  struct Reports {
    // A valid found reply (also a repeated one: the list keeps the first).
    std::function<void(const FoundPrinter&)> found;
    // The search cannot go on (DiscoveryPortTaken, DiscoveryNoSocket) or a
    // receive failed (DiscoveryReceiveError, once per error number and
    // search); `error` is the socket error number.
    std::function<void(Msg message, int error)> failed;
  };

  // The search's waits go by `clock`.
  PrinterSearch(DatagramSockets& sockets, kit::Clock& clock) : sockets_(sockets), clock_(clock) {}
  ~PrinterSearch() { Stop(); }
  PrinterSearch(const PrinterSearch&) = delete;
  PrinterSearch& operator=(const PrinterSearch&) = delete;

  // Stops a search that runs, then starts a new one.
  void Start(Reports reports);
  // Stops the search, if one runs, and waits until its socket is closed.
  void Stop();
  // True from Start until the thread ended (on Stop, or when it could not bind).
  bool running() const { return running_.load(); }

 private:
  void Run(const Reports& reports);
  // The socket on port 9000, tried again while the port is taken; the last
  // attempt's result when it never binds or the search is stopped.
  OpenedDatagramSocket OpenPort();
  void Listen(DatagramSocket& socket, const Reports& reports);

  DatagramSockets& sockets_;
  kit::Clock& clock_;
  std::atomic<bool> stop_{false};
  std::atomic<bool> running_{false};
  std::thread thread_;
};

}  // namespace prtbench
