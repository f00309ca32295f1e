// TCP connections to the printer: the connect with time-out and retries that
// the printer link, the network tools and the status monitor use, the
// neighbour cache flush between attempts, and the socket slot operations.
#pragma once

#include <cstdint>
#include <functional>
#include <span>

#include "common/Pause.h"
#include "prtbench/link/Ipv4.h"
#include "prtbench/link/LinkDevices.h"

namespace prtbench {

inline constexpr std::uint16_t kPrinterPort = 9100;  // print data
inline constexpr std::uint16_t kMonitorPort = 4000;  // address commands, status monitor

inline constexpr int kConnectAttempts = 3;
// what a blocking connect waits on Windows before it gives up
inline constexpr ConnectTimeout kOwnConnectTimeout{21, 0};
inline constexpr unsigned kConnectRetryPauseMs = 500;
// how soon a stop ends a socket wait, as it ends a Clock's pause
inline constexpr unsigned kStopCheckMs = 20;

// Connects `slot` to address:port in up to three attempts, flushing the
// neighbour cache for the address before the second and third and pausing
// 500 ms on `clock` after a failed one. `slot` must be closed on entry; it holds the
// socket on success and kNoSocket otherwise. Returns 1 connected, -1 no socket
// could be created, -2 a socket option was refused, -3 no connection within
// the time-out in three attempts, -4 the third attempt's wait failed. Once
// `stop` answers true the attempt's wait or the pause ends and no further
// attempt is made (-3).
int ConnectWithTimeout(LinkDevices& devices, kit::Clock& clock, SocketHandle& slot, Ipv4 address,
                       std::uint16_t port, ConnectTimeout timeout, const std::function<bool()>& stop = {});

// A socket wait of the devices: `wait(ms)` waits up to ms and answers above
// 0 ready, 0 nothing yet, below 0 failed. With a `stop` the time goes in
// waits of kStopCheckMs, `stop` asked before each, so a printer that never
// answers or stopped reading does not hold a stop for the whole time-out;
// without one it is one wait. The last wait's answer; 0 when stopped.
int WaitUnlessStopped(unsigned milliseconds, const std::function<bool()>& stop,
                      const std::function<int(unsigned)>& wait);
// One connect attempt's wait of `timeout`, as WaitUnlessStopped.
int WaitForConnect(ConnectTimeout timeout, const std::function<bool()>& stop,
                   const std::function<int(unsigned)>& wait);

// Flushes the neighbour table of every interface that has a row for `address`,
// so a printer that just changed address or card is looked up afresh.
void FlushArpForAddress(LinkDevices& devices, Ipv4 address);

// Closes the slot's socket if open and marks the slot closed: the close
// result, or -1 when it was already closed.
int CloseSocketSlot(LinkDevices& devices, SocketHandle& slot);
// One send call on the slot: bytes taken, or -1 (also when it would block).
int SendOnSlot(LinkDevices& devices, SocketHandle slot, std::span<const std::uint8_t> bytes);
// One receive call on the slot: bytes read, 0 when the peer closed, or -1
// (also when nothing is there yet on a non-blocking socket).
int ReceiveOnSlot(LinkDevices& devices, SocketHandle slot, std::span<std::uint8_t> buffer);

}  // namespace prtbench
