// The link devices seam's test double: opens, writes, connects and sends go as
// scripted, and every call is logged in order, so a test can check which
// handle was used, purged, written or closed after what.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "prtbench/link/LinkDevices.h"

namespace linktest {

using namespace prtbench;

class FakeLinkDevices : public LinkDevices {
 public:
  // --- scripts (set before use) ---
  std::set<std::string> missingPaths;  // OpenDevice and OpenForWrite fail for these
  bool refuseTimeouts = false;
  bool refuseLine = false;
  bool refuseLineChange = false;
  // results of the next writes; once empty every write takes all bytes
  std::deque<std::optional<std::uint32_t>> writeResults;
  std::optional<std::vector<UsbInterface>> usbInterfaces = std::vector<UsbInterface>{};
  // results of the next connect attempts; once empty every attempt connects
  std::deque<AttemptResult> attempts;
  // results of the next sends; once empty every send takes all bytes
  std::deque<int> sendResults;
  std::deque<bool> writableResults;  // once empty: writable
  // what the next receives give, one entry each (cut to the buffer; "" the
  // peer's close), nullopt a receive error; once empty: kWouldBlock. A socket
  // is readable while an entry waits.
  std::deque<std::optional<std::string>> receiveReplies;
  std::optional<std::vector<ArpRow>> arpTable = std::vector<ArpRow>{};
  // a write that lasts: lets concurrent callers overlap if nothing serialises them
  bool slowWrites = false;
  // runs at the start of every Write: a test holds a send there
  std::function<void()> onWrite;
  // runs at the start of every ConnectOnce with the attempt's stop: a test
  // cancels there, the exit benchmark holds a silent printer's attempt
  std::function<void(const std::function<bool()>& stop)> onConnect;
  std::function<void()> onWaitWritable;  // runs as a wait for writable begins

  // --- records ---
  std::vector<std::string> Log() const;
  void ClearLog();
  std::set<DeviceHandle> OpenDevices() const;
  std::set<SocketHandle> OpenSockets() const;
  std::string PathOf(DeviceHandle device) const;
  // bytes written to a device or sent on a socket, over its whole life
  std::string Received(std::intptr_t handle) const;
  int overlappingCalls() const;

  DeviceHandle OpenDevice(const std::string& path) override;
  bool SetTimeouts(DeviceHandle device, const CommTimeouts& timeouts) override;
  bool SetLine(DeviceHandle device, const LineSettings& line) override;
  bool ChangeLine(DeviceHandle device, const LineChange& change) override;
  bool Purge(DeviceHandle device) override;
  void AbortWrites(DeviceHandle device) override;
  std::optional<std::uint32_t> Write(DeviceHandle device, std::span<const std::uint8_t> bytes) override;
  void Close(DeviceHandle device) override;
  std::optional<std::vector<UsbInterface>> UsbPrinterInterfaces() override;
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
  // Marks a call in progress on the device layer; counts overlaps.
  class Busy {
   public:
    explicit Busy(const FakeLinkDevices& fake);
    ~Busy();

   private:
    const FakeLinkDevices& fake_;
  };
  void Record(std::string entry);
  std::intptr_t NextHandle();

  mutable std::mutex mutex_;
  mutable int inCall_ = 0;
  mutable int overlaps_ = 0;
  std::vector<std::string> log_;
  std::intptr_t nextHandle_ = 1;
  std::map<DeviceHandle, std::string> devices_;
  std::set<SocketHandle> sockets_;
  std::map<std::intptr_t, std::string> received_;
};

}  // namespace linktest
