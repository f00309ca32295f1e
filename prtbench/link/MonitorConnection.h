// The status monitor's connection to kMonitorPort, beside the print link's
// socket: NET printing reconnects that socket for every job, which would cut
// the monitor off.
#pragma once

#include <cstdint>
#include <functional>
#include <mutex>
#include <span>

#include "common/Pause.h"
#include "prtbench/link/Connect.h"
#include "prtbench/link/LinkDevices.h"

namespace prtbench {

// Its operations take a lock of their own, never the print link's send lock:
// a long print never holds up the monitor, nor a monitor that cannot reach its
// printer a print. Meant for the one monitor thread; Close may come from any
// thread (shutdown). None reports an outcome: the monitor reports in the status
// line itself.
class MonitorConnection {
 public:
  // `devices` and `clock` (the pauses between connect attempts) outlive it.
  MonitorConnection(LinkDevices& devices, kit::Clock& clock) : devices_(devices), clock_(clock) {}
  ~MonitorConnection() { Close(); }
  MonitorConnection(const MonitorConnection&) = delete;
  MonitorConnection& operator=(const MonitorConnection&) = delete;

  // Closes the connection and connects it to address:kMonitorPort with
  // `timeout`, three attempts, given up between them once `stop` answers
  // true. ConnectWithTimeout's result.
  int Connect(Ipv4 address, ConnectTimeout timeout, const std::function<bool()>& stop = {});
  // One send of `request`: true when the socket took all of it; false when it
  // did not or there is no connection.
  bool Send(std::span<const std::uint8_t> request);
  // Waits up to `waitMs` for the printer's answer and reads what has arrived,
  // up to the buffer's size: the count read (> 0), 0 when nothing came or
  // the printer closed the connection, -1 without a connection or when the
  // receive failed. Never blocks longer than `waitMs`.
  int Receive(std::span<std::uint8_t> buffer, unsigned waitMs);
  // Closes the connection if open.
  void Close();

 private:
  LinkDevices& devices_;
  kit::Clock& clock_;
  std::mutex mutex_;
  SocketHandle socket_ = kNoSocket;
};

}  // namespace prtbench
