// The network tools' operations on the shared socket, and the status
// monitor's connection beside it.
#include "prtbench/link/PrinterLink.h"

#include "prtbench/link/Connect.h"

namespace prtbench {

int PrinterLink::ConnectAndKeep(Ipv4 address, std::uint16_t port) {
  RunBusyHook();
  std::lock_guard lock(sendMutex_);
  const int result = ConnectSharedLocked(address, port, Settings().com.timeoutSeconds);
  SetStatus({}, result == 1 ? Msg::ConnectTestOk : Msg::ConnectTestFailed);
  return result;
}

int PrinterLink::SendOnPort(Ipv4 address, std::uint16_t port, std::string_view bytes) {
  return SendOnPort(address, port, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

int PrinterLink::SendOnPort(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  RunBusyHook();
  std::lock_guard lock(sendMutex_);
  const int connected = ConnectSharedLocked(address, port, Settings().com.timeoutSeconds);
  if (connected != 1) {
    SetStatus({}, Msg::NetConnectFailed);
    return connected;
  }
  const bool sent = SendWhole(bytes) == bytes.size();
  CloseSocketSlot(devices_, socket_);
  SetStatus({}, sent ? Msg::NetSendOk : Msg::NetSendFailed);
  return sent ? 1 : 0;
}

int PrinterLink::SendOnOwnConnection(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  const ConnectAttempt attempt = devices_.ConnectOnce(address, port, kOwnConnectTimeout);
  if (attempt.result == AttemptResult::NoSocket) return -1;
  if (attempt.result != AttemptResult::Connected) return -3;
  SocketHandle socket = attempt.socket;
  const bool sent = SendOnSlot(devices_, socket, bytes) == static_cast<int>(bytes.size());
  CloseSocketSlot(devices_, socket);
  return sent ? 1 : 0;
}

int PrinterLink::ConnectMonitor(Ipv4 address, ConnectTimeout timeout, const std::function<bool()>& stop) {
  CloseMonitor();
  // connect without the lock, so that a shutdown closing the monitor never
  // waits for the attempts
  SocketHandle fresh = kNoSocket;
  const int result = ConnectWithTimeout(devices_, fresh, address, kMonitorPort, timeout, stop);
  std::lock_guard lock(monitorMutex_);
  CloseSocketSlot(devices_, monitorSocket_);
  monitorSocket_ = fresh;
  return result;
}

bool PrinterLink::SendToMonitor(std::span<const std::uint8_t> request) {
  std::lock_guard lock(monitorMutex_);
  if (monitorSocket_ == kNoSocket) return false;
  return devices_.Send(monitorSocket_, request) == static_cast<int>(request.size());
}

int PrinterLink::ReceiveFromMonitor(std::span<std::uint8_t> buffer, unsigned waitMs) {
  SocketHandle socket = kNoSocket;
  {
    std::lock_guard lock(monitorMutex_);
    socket = monitorSocket_;
  }
  if (socket == kNoSocket) return -1;
  // wait without the lock; read only if the connection is still the one
  // waited on. Receiving only when readable also keeps a socket that
  // connected at once, and so is blocking, from blocking here.
  const bool readable = devices_.WaitReadable(socket, waitMs);
  std::lock_guard lock(monitorMutex_);
  if (monitorSocket_ != socket) return -1;
  if (!readable) return 0;
  const int received = devices_.Receive(socket, buffer);
  if (received == kWouldBlock) return 0;
  return received < 0 ? -1 : received;
}

void PrinterLink::CloseMonitor() {
  std::lock_guard lock(monitorMutex_);
  CloseSocketSlot(devices_, monitorSocket_);
}

}  // namespace prtbench
