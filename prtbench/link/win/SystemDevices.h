// The printer link's devices on Win32: comm and file handles, SetupAPI (through
// a UsbInterfaceSource), Winsock 1.1 sockets and the IP helper's ARP table.
// The application starts Winsock before using the sockets.
#pragma once

#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/win/UsbPrintInterfaces.h"

namespace prtbench {

class SystemLinkDevices : public LinkDevices {
 public:
  // `usb` lists the USB printers; it must outlive this object.
  explicit SystemLinkDevices(UsbInterfaceSource& usb) : usb_(usb) {}

  DeviceHandle OpenDevice(const std::string& path) override;
  bool SetTimeouts(DeviceHandle device, const CommTimeouts& timeouts) override;
  bool SetLine(DeviceHandle device, const LineSettings& line) override;
  bool ChangeLine(DeviceHandle device, const LineChange& change) override;
  bool Purge(DeviceHandle device) override;
  void AbortWrites(DeviceHandle device) override;
  std::optional<std::uint32_t> Write(DeviceHandle device, std::span<const std::uint8_t> bytes) override;
  void Close(DeviceHandle device) override;

  std::optional<std::vector<UsbInterface>> UsbPrinterInterfaces() override { return usb_.List(); }
  DeviceHandle OpenForWrite(const std::string& path) override;

  ConnectAttempt ConnectOnce(Ipv4 address, std::uint16_t port, ConnectTimeout timeout,
                             const std::function<bool()>& stop) override;
  int Send(SocketHandle socket, std::span<const std::uint8_t> bytes) override;
  bool WaitWritable(SocketHandle socket, unsigned milliseconds, const std::function<bool()>& stop) override;
  bool WaitReadable(SocketHandle socket, unsigned milliseconds) override;
  int Receive(SocketHandle socket, std::span<std::uint8_t> buffer) override;
  int CloseSocket(SocketHandle socket) override;

  std::optional<std::vector<ArpRow>> ArpTable() override;
  void FlushArpInterface(std::uint32_t interfaceIndex) override;

 private:
  UsbInterfaceSource& usb_;
};

}  // namespace prtbench
