// The scripted link devices and their call log.
#include "FakeLinkDevices.h"

#include <algorithm>
#include <chrono>
#include <thread>

namespace linktest {

FakeLinkDevices::Busy::Busy(const FakeLinkDevices& fake) : fake_(fake) {
  std::lock_guard lock(fake_.mutex_);
  if (++fake_.inCall_ > 1) ++fake_.overlaps_;
}

FakeLinkDevices::Busy::~Busy() {
  std::lock_guard lock(fake_.mutex_);
  --fake_.inCall_;
}

std::vector<std::string> FakeLinkDevices::Log() const {
  std::lock_guard lock(mutex_);
  return log_;
}

void FakeLinkDevices::ClearLog() {
  std::lock_guard lock(mutex_);
  log_.clear();
}

std::set<DeviceHandle> FakeLinkDevices::OpenDevices() const {
  std::lock_guard lock(mutex_);
  std::set<DeviceHandle> open;
  for (const auto& [handle, path] : devices_) open.insert(handle);
  return open;
}

std::set<SocketHandle> FakeLinkDevices::OpenSockets() const {
  std::lock_guard lock(mutex_);
  return sockets_;
}

std::string FakeLinkDevices::PathOf(DeviceHandle device) const {
  std::lock_guard lock(mutex_);
  const auto it = devices_.find(device);
  return it == devices_.end() ? std::string() : it->second;
}

std::string FakeLinkDevices::Received(std::intptr_t handle) const {
  std::lock_guard lock(mutex_);
  const auto it = received_.find(handle);
  return it == received_.end() ? std::string() : it->second;
}

int FakeLinkDevices::overlappingCalls() const {
  std::lock_guard lock(mutex_);
  return overlaps_;
}

void FakeLinkDevices::Record(std::string entry) {
  std::lock_guard lock(mutex_);
  log_.push_back(std::move(entry));
}

std::intptr_t FakeLinkDevices::NextHandle() {
  std::lock_guard lock(mutex_);
  return nextHandle_++;
}

DeviceHandle FakeLinkDevices::OpenDevice(const std::string& path) {
  Busy busy(*this);
  if (missingPaths.count(path)) {
    Record("open " + path + " -> fail");
    return kNoDevice;
  }
  const DeviceHandle device = NextHandle();
  {
    std::lock_guard lock(mutex_);
    devices_[device] = path;
  }
  Record("open " + path + " -> " + std::to_string(device));
  return device;
}

bool FakeLinkDevices::SetTimeouts(DeviceHandle device, const CommTimeouts& t) {
  Busy busy(*this);
  Record("timeouts " + std::to_string(device) + " " + std::to_string(t.readInterval) + "/" +
         std::to_string(t.readMultiplier) + "/" + std::to_string(t.readConstant) + "/" +
         std::to_string(t.writeMultiplier) + "/" + std::to_string(t.writeConstant) + (refuseTimeouts ? " -> fail" : ""));
  return !refuseTimeouts;
}

bool FakeLinkDevices::SetLine(DeviceHandle device, const LineSettings& line) {
  Busy busy(*this);
  Record("line " + std::to_string(device) + " " + std::to_string(line.baudRate) + " " + std::to_string(line.byteSize) +
         " " + std::to_string(line.parity) + " " + std::to_string(line.stopBits) + " cts=" +
         std::to_string(line.ctsFlow) + (refuseLine ? " -> fail" : ""));
  return !refuseLine;
}

bool FakeLinkDevices::ChangeLine(DeviceHandle device, const LineChange& change) {
  Busy busy(*this);
  std::string entry = "change " + std::to_string(device);
  if (change.baudRate) entry += " baud=" + std::to_string(*change.baudRate);
  if (change.xonXoff) entry += " xonxoff=" + std::to_string(*change.xonXoff);
  Record(entry + (refuseLineChange ? " -> fail" : ""));
  return !refuseLineChange;
}

bool FakeLinkDevices::Purge(DeviceHandle device) {
  Busy busy(*this);
  Record("purge " + std::to_string(device));
  return true;
}

// no Busy: it comes from another thread while a write runs, by design
void FakeLinkDevices::AbortWrites(DeviceHandle device) { Record("abort " + std::to_string(device)); }

std::optional<std::uint32_t> FakeLinkDevices::Write(DeviceHandle device, std::span<const std::uint8_t> bytes) {
  Busy busy(*this);
  if (slowWrites) std::this_thread::sleep_for(std::chrono::milliseconds(2));
  if (onWrite) onWrite();
  std::optional<std::uint32_t> result = static_cast<std::uint32_t>(bytes.size());
  {
    std::lock_guard lock(mutex_);
    if (!writeResults.empty()) {
      result = writeResults.front();
      writeResults.pop_front();
    }
    if (result) received_[device].append(reinterpret_cast<const char*>(bytes.data()), *result);
  }
  Record("write " + std::to_string(device) + " " + std::to_string(bytes.size()) + " -> " +
         (result ? std::to_string(*result) : "fail"));
  return result;
}

void FakeLinkDevices::Close(DeviceHandle device) {
  Busy busy(*this);
  {
    std::lock_guard lock(mutex_);
    devices_.erase(device);
  }
  Record("close " + std::to_string(device));
}

std::optional<std::vector<UsbInterface>> FakeLinkDevices::UsbPrinterInterfaces() {
  Busy busy(*this);
  Record("usb list");
  return usbInterfaces;
}

DeviceHandle FakeLinkDevices::OpenForWrite(const std::string& path) {
  Busy busy(*this);
  if (missingPaths.count(path)) {
    Record("open-write " + path + " -> fail");
    return kNoDevice;
  }
  const DeviceHandle device = NextHandle();
  {
    std::lock_guard lock(mutex_);
    devices_[device] = path;
  }
  Record("open-write " + path + " -> " + std::to_string(device));
  return device;
}

ConnectAttempt FakeLinkDevices::ConnectOnce(Ipv4 address, std::uint16_t port, ConnectTimeout timeout,
                                            const std::function<bool()>& stop) {
  Busy busy(*this);
  if (onConnect) onConnect(stop);
  AttemptResult result = AttemptResult::Connected;
  {
    std::lock_guard lock(mutex_);
    if (!attempts.empty()) {
      result = attempts.front();
      attempts.pop_front();
    }
  }
  // a stop ends the attempt's wait without a connection
  const bool stopped = stop && stop();
  if (stopped) result = AttemptResult::TimedOut;
  static const char* const kNames[] = {"connected", "no-socket", "option-refused", "timed-out", "wait-failed"};
  std::string entry = "connect " + FormatIpv4(address) + ":" + std::to_string(port) + " " +
                      std::to_string(timeout.seconds) + "s -> " +
                      (stopped ? "stopped" : kNames[static_cast<int>(result)]);
  if (result != AttemptResult::Connected) {
    Record(entry);
    return {result, kNoSocket};
  }
  const SocketHandle socket = NextHandle();
  {
    std::lock_guard lock(mutex_);
    sockets_.insert(socket);
  }
  Record(entry + " " + std::to_string(socket));
  return {result, socket};
}

int FakeLinkDevices::Send(SocketHandle socket, std::span<const std::uint8_t> bytes) {
  Busy busy(*this);
  int result = static_cast<int>(bytes.size());
  {
    std::lock_guard lock(mutex_);
    if (!sendResults.empty()) {
      result = sendResults.front();
      sendResults.pop_front();
    }
    if (result > 0) received_[socket].append(reinterpret_cast<const char*>(bytes.data()), static_cast<size_t>(result));
  }
  Record("send " + std::to_string(socket) + " " + std::to_string(bytes.size()) + " -> " + std::to_string(result));
  return result;
}

bool FakeLinkDevices::WaitWritable(SocketHandle socket, unsigned milliseconds, const std::function<bool()>& stop) {
  Busy busy(*this);
  if (onWaitWritable) onWaitWritable();
  if (stop && stop()) {
    Record("wait-writable " + std::to_string(socket) + " " + std::to_string(milliseconds) + " -> stopped");
    return false;
  }
  bool writable = true;
  {
    std::lock_guard lock(mutex_);
    if (!writableResults.empty()) {
      writable = writableResults.front();
      writableResults.pop_front();
    }
  }
  Record("wait-writable " + std::to_string(socket) + " " + std::to_string(milliseconds) + " -> " +
         std::to_string(writable));
  return writable;
}

bool FakeLinkDevices::WaitReadable(SocketHandle socket, unsigned milliseconds) {
  Busy busy(*this);
  bool readable = false;
  {
    std::lock_guard lock(mutex_);
    readable = !receiveReplies.empty();
  }
  Record("wait-readable " + std::to_string(socket) + " " + std::to_string(milliseconds) + " -> " +
         std::to_string(readable));
  return readable;
}

int FakeLinkDevices::Receive(SocketHandle socket, std::span<std::uint8_t> buffer) {
  Busy busy(*this);
  int result = kWouldBlock;
  {
    std::lock_guard lock(mutex_);
    if (!receiveReplies.empty()) {
      const std::optional<std::string> reply = receiveReplies.front();
      receiveReplies.pop_front();
      result = kSocketError;
      if (reply) {
        const size_t count = std::min(reply->size(), buffer.size());
        std::copy_n(reply->begin(), count, buffer.begin());
        result = static_cast<int>(count);
      }
    }
  }
  Record("receive " + std::to_string(socket) + " " + std::to_string(buffer.size()) + " -> " + std::to_string(result));
  return result;
}

int FakeLinkDevices::CloseSocket(SocketHandle socket) {
  Busy busy(*this);
  {
    std::lock_guard lock(mutex_);
    sockets_.erase(socket);
  }
  Record("close-socket " + std::to_string(socket));
  return 0;
}

std::optional<std::vector<ArpRow>> FakeLinkDevices::ArpTable() {
  Busy busy(*this);
  Record("arp table");
  return arpTable;
}

void FakeLinkDevices::FlushArpInterface(std::uint32_t interfaceIndex) {
  Busy busy(*this);
  Record("flush " + std::to_string(interfaceIndex));
}

}  // namespace linktest
