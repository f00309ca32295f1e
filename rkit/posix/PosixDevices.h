// The printer link's devices on Linux: serial ports through termios, printer
// and parallel device files (/dev/usb/lp*, /dev/lp*) as plain files, TCP
// sockets. The Windows build uses prtbench's Win32 devices instead.
#pragma once

#include <map>
#include <mutex>

#include "prtbench/link/LinkDevices.h"
#include "rkit/Link.h"

namespace rkit {

class PosixDevices final : public prtbench::LinkDevices, public DeviceReads {
 public:
  prtbench::DeviceHandle OpenDevice(const std::string& path) override;
  // Kept for the device's writes; a tty also gets reads without waiting.
  bool SetTimeouts(prtbench::DeviceHandle device, const prtbench::CommTimeouts& timeouts) override;
  // False on a device that is not a tty, or a speed termios does not name.
  bool SetLine(prtbench::DeviceHandle device, const prtbench::LineSettings& line) override;
  bool ChangeLine(prtbench::DeviceHandle device, const prtbench::LineChange& change) override;
  bool Purge(prtbench::DeviceHandle device) override;
  void AbortWrites(prtbench::DeviceHandle device) override;
  // Waits for the device as long as its time-outs allow. A device without
  // any (a USB printer) gives up once it took nothing for kStalledPrinterMs,
  // and before the call ends it has taken the last write too.
  std::optional<std::uint32_t> Write(prtbench::DeviceHandle device, std::span<const std::uint8_t> bytes) override;
  void Close(prtbench::DeviceHandle device) override;

  // The printer-class device files /dev/usb/lp0 to lp19 that exist.
  std::optional<std::vector<prtbench::UsbInterface>> UsbPrinterInterfaces() override;
  // Opens the printer device for reading too (/dev/usb/lp* carries the
  // printer's replies), not blocking, so that a stalled printer cannot hold a
  // write for ever.
  prtbench::DeviceHandle OpenForWrite(const std::string& path) override;

  std::optional<std::uint32_t> Read(prtbench::DeviceHandle device, std::span<std::uint8_t> buffer,
                                    unsigned milliseconds) override;
  void DiscardInput(prtbench::DeviceHandle device) override;

  prtbench::ConnectAttempt ConnectOnce(prtbench::Ipv4 address, std::uint16_t port, prtbench::ConnectTimeout timeout,
                                       const std::function<bool()>& stop) override;
  int Send(prtbench::SocketHandle socket, std::span<const std::uint8_t> bytes) override;
  bool WaitWritable(prtbench::SocketHandle socket, unsigned milliseconds, const std::function<bool()>& stop) override;
  bool WaitReadable(prtbench::SocketHandle socket, unsigned milliseconds) override;
  int Receive(prtbench::SocketHandle socket, std::span<std::uint8_t> buffer) override;
  int CloseSocket(prtbench::SocketHandle socket) override;

  // The kernel keeps the neighbour table; flushing it needs privileges a
  // command line tool should not ask for, so there is none to flush.
  std::optional<std::vector<prtbench::ArpRow>> ArpTable() override { return std::nullopt; }
  void FlushArpInterface(std::uint32_t) override {}

 private:
  std::mutex mutex_;
  std::map<prtbench::DeviceHandle, prtbench::CommTimeouts> timeouts_;
};

}  // namespace rkit
