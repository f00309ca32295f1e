// The narrow set of operating-system services the printer link needs: serial
// and parallel devices, USB printer-class interfaces, one TCP connect attempt,
// sockets and the neighbour cache. Win32 in the program (win/SystemDevices.h),
// a scripted fake in tests.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "prtbench/link/Ipv4.h"

namespace prtbench {

using DeviceHandle = std::intptr_t;
inline constexpr DeviceHandle kNoDevice = -1;
using SocketHandle = std::intptr_t;
inline constexpr SocketHandle kNoSocket = -1;

// Results of Send and Receive besides a byte count.
inline constexpr int kSocketError = -1;
inline constexpr int kWouldBlock = -2;

// Milliseconds, as the serial driver takes them: a write of n bytes gives up
// after writeConstant + n * writeMultiplier (never when both are 0).
struct CommTimeouts {
  std::uint32_t readInterval;
  std::uint32_t readMultiplier;
  std::uint32_t readConstant;
  std::uint32_t writeMultiplier;
  std::uint32_t writeConstant;
  bool operator==(const CommTimeouts&) const = default;
};

// The serial line of a fresh COM link. Everything not named here is off, and
// DTR is held on.
struct LineSettings {
  std::uint32_t baudRate;
  std::uint8_t byteSize;  // 4..8
  std::uint8_t parity;    // 0 none, 1 odd, 2 even, 3 mark, 4 space
  std::uint8_t stopBits;  // 0 one, 1 one and a half, 2 two
  bool ctsFlow;           // CTS output flow control
  bool operator==(const LineSettings&) const = default;
};

// A change to the line of an open COM link, the rest kept as it is.
struct LineChange {
  std::optional<std::uint32_t> baudRate;
  // XON 0x11 / XOFF 0x13 with RTS on; the value switches XON/XOFF flow in both
  // directions on or off
  std::optional<bool> xonXoff;
  bool operator==(const LineChange&) const = default;
};

struct UsbInterface {
  std::uint32_t flags;              // 1: active and nothing else
  std::optional<std::string> path;  // nullopt when the detail cannot be read
  bool operator==(const UsbInterface&) const = default;
};

struct ArpRow {
  Ipv4 address;
  std::uint32_t interfaceIndex;
};

struct ConnectTimeout {
  long seconds;
  long microseconds;
};

// How one connect attempt ended.
enum class AttemptResult {
  Connected,      // socket connected (non-blocking when it took a wait)
  NoSocket,       // no socket could be created
  OptionRefused,  // non-blocking mode or a keep-alive option was refused
  TimedOut,       // no connection within the time-out (a refused one included)
  WaitFailed,     // the wait itself failed
};
struct ConnectAttempt {
  AttemptResult result;
  SocketHandle socket = kNoSocket;  // open only when Connected
};

class LinkDevices {
 public:
  virtual ~LinkDevices() = default;

  // Serial and parallel ports: opens `path` for reading and writing, not
  // shared, existing devices only, synchronous. kNoDevice on failure.
  virtual DeviceHandle OpenDevice(const std::string& path) = 0;
  virtual bool SetTimeouts(DeviceHandle device, const CommTimeouts& timeouts) = 0;
  virtual bool SetLine(DeviceHandle device, const LineSettings& line) = 0;
  virtual bool ChangeLine(DeviceHandle device, const LineChange& change) = 0;
  // Discards pending input and output.
  virtual bool Purge(DeviceHandle device) = 0;
  // Called from another thread than the one writing: ends a write in progress
  // on `device` as far as the device allows, discarding what it had not sent
  // (that write then returns with the count it had written).
  virtual void AbortWrites(DeviceHandle device) = 0;
  // One write call: the count written (short when a time-out ended it), or
  // nullopt when the call failed.
  virtual std::optional<std::uint32_t> Write(DeviceHandle device, std::span<const std::uint8_t> bytes) = 0;
  virtual void Close(DeviceHandle device) = 0;

  // Present USB printer-class interfaces in enumeration order, at most 20;
  // nullopt when the list cannot be had.
  virtual std::optional<std::vector<UsbInterface>> UsbPrinterInterfaces() = 0;
  // Opens an interface path for writing only, not shared. kNoDevice on failure.
  virtual DeviceHandle OpenForWrite(const std::string& path) = 0;

  // One attempt: an IPv4 stream socket, non-blocking, SO_KEEPALIVE and
  // keep-alive values (idle 2000 ms, interval 100 ms), connect, and when it
  // does not connect at once a wait for readable or writable of `timeout`
  // (WaitForConnect), which ends as TimedOut once `stop`, if given, answers
  // true. A socket that did not connect is closed.
  virtual ConnectAttempt ConnectOnce(Ipv4 address, std::uint16_t port, ConnectTimeout timeout,
                                     const std::function<bool()>& stop) = 0;
  // One send call: bytes taken, kWouldBlock or kSocketError.
  virtual int Send(SocketHandle socket, std::span<const std::uint8_t> bytes) = 0;
  // Waits until the socket can take bytes again (WaitUnlessStopped); false
  // on time-out, error, or once `stop` answers true.
  virtual bool WaitWritable(SocketHandle socket, unsigned milliseconds, const std::function<bool()>& stop) = 0;
  // Waits until the socket has bytes to read (or the peer closed it); false
  // on time-out or error.
  virtual bool WaitReadable(SocketHandle socket, unsigned milliseconds) = 0;
  // One receive call: bytes read (0: closed by the peer), kWouldBlock or kSocketError.
  virtual int Receive(SocketHandle socket, std::span<std::uint8_t> buffer) = 0;
  // The close call's result (0 on success).
  virtual int CloseSocket(SocketHandle socket) = 0;

  // The IPv4 neighbour (ARP) table; nullopt when it cannot be read.
  virtual std::optional<std::vector<ArpRow>> ArpTable() = 0;
  // Flushes the whole neighbour table of one interface.
  virtual void FlushArpInterface(std::uint32_t interfaceIndex) = 0;
};

}  // namespace prtbench
