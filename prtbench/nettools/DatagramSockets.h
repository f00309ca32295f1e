// The UDP socket of the printer search and of Save: bound to port 9000,
// broadcasting to 255.255.255.255. The printer link's seam covers TCP only,
// so this one service has a seam of its own: Winsock in the program
// (win/WinsockDatagrams.h), a scripted fake in tests.
#pragma once

#include <cstdint>
#include <memory>
#include <span>

namespace prtbench {

// Receive's results besides a datagram's length.
inline constexpr int kDatagramNone = -1;   // nothing came within the wait
inline constexpr int kDatagramError = -2;  // the receive failed: see lastError()

class DatagramSocket {
 public:
  virtual ~DatagramSocket() = default;  // closes the socket, freeing its port
  // One datagram of `bytes` to 255.255.255.255:port; true when it went whole.
  virtual bool Broadcast(std::span<const std::uint8_t> bytes, std::uint16_t port) = 0;
  // Waits up to `waitMs` for a datagram and reads it into `buffer` (a longer
  // one is cut to the buffer): its length, kDatagramNone or kDatagramError.
  virtual int Receive(std::span<std::uint8_t> buffer, unsigned waitMs) = 0;
  // The error code of the last call that failed (the socket error number).
  virtual int lastError() const = 0;
};

enum class BindResult {
  Bound,      // the socket has the port
  PortTaken,  // another socket holds it: sends still go, from a port the system picks
  Failed,     // the bind failed otherwise: sends still go, from a port the system picks
};

struct OpenedDatagramSocket {
  std::unique_ptr<DatagramSocket> socket;  // null when none could be made
  BindResult bind = BindResult::Failed;
  int error = 0;  // the socket error number of the call that failed
};

class DatagramSockets {
 public:
  virtual ~DatagramSockets() = default;
  // An IPv4 UDP socket with broadcast on, bound to any local address at `port`.
  virtual OpenedDatagramSocket Open(std::uint16_t port) = 0;
};

}  // namespace prtbench
