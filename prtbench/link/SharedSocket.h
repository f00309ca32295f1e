// The network tools' socket: the one NET printing uses, so the tools never
// open a socket of their own and never run beside a print job.
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

#include "prtbench/link/Connect.h"
#include "prtbench/link/PrinterLink.h"

namespace prtbench {

// Each operation runs on the calling thread (a send queue job, so the window
// never waits) under the link's send lock: it waits for a send in progress,
// and a send waits for it. Each calls the link's busy hook first, uses the
// connection settings' connect time-out with ConnectWithTimeout's three
// attempts, reports its outcome to the link's reporter, and changes no
// setting: the caller records the printer or monitor IP it used.
class SharedSocket {
 public:
  explicit SharedSocket(PrinterLink& link) : link_(link) {}  // `link` outlives it

  // The printer IP a NET open would use now: the link's printer IP source's
  // answer, else the stored printer IP. Any thread; takes no send lock.
  Ipv4 PrinterIp() const { return link_.PrinterIp(); }

  // Connect and keep (the connection test): closes the shared socket, then
  // connects it to address:port (the printer on kPrinterPort, the monitor
  // address on kMonitorPort) and leaves it connected until the next NET
  // open, CloseNet or ClosePorts. Outcome "Connection successful" or
  // "Connection fails". ConnectWithTimeout's result: 1 connected, -1 to -4
  // not (the socket is then closed).
  int ConnectAndKeep(Ipv4 address, std::uint16_t port);

  // Send on another port (new address, new identifier on kMonitorPort):
  // closes the shared socket, connects it to address:port, sends all of
  // `bytes` (waiting while the printer reads, failing when it takes nothing
  // for kStalledPrinterMs), never twice, and closes the socket again.
  // Outcome: the NET connect failure, or "Network send data successfully" /
  // "Network send data failed" with no bytes counted (the counter counts
  // print data). Returns 1 sent, 0 connected but the send failed, or
  // ConnectWithTimeout's negative result.
  int SendOnPort(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes);
  int SendOnPort(Ipv4 address, std::uint16_t port, std::string_view bytes);

  // A connection of its own (Auto Set IP's Test Print): one attempt to
  // address:port with kOwnConnectTimeout, one send of `bytes`, closed again.
  // The shared socket, the send lock and the status text are left alone.
  // Returns 1 sent, 0 connected but the send failed, -1 no socket could be
  // created, -3 no connection.
  int SendOnOwnConnection(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes);

 private:
  PrinterLink& link_;
};

}  // namespace prtbench
