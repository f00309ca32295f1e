// The network tools' operations on the print link's socket.
#include "prtbench/link/SharedSocket.h"

namespace prtbench {

int SharedSocket::ConnectAndKeep(Ipv4 address, std::uint16_t port) {
  link_.RunBusyHook();
  std::lock_guard lock(link_.sendMutex_);
  const int result = link_.ConnectSharedLocked(address, port, link_.Settings().com.timeoutSeconds);
  link_.Report(result == 1 ? Msg::ConnectTestOk : Msg::ConnectTestFailed);
  return result;
}

int SharedSocket::SendOnPort(Ipv4 address, std::uint16_t port, std::string_view bytes) {
  return SendOnPort(address, port, std::span(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()));
}

int SharedSocket::SendOnPort(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  link_.RunBusyHook();
  std::lock_guard lock(link_.sendMutex_);
  const int connected = link_.ConnectSharedLocked(address, port, link_.Settings().com.timeoutSeconds);
  if (connected != 1) {
    link_.Report(Msg::NetConnectFailed);
    return connected;
  }
  const bool sent = link_.SendWhole(bytes) == bytes.size();
  CloseSocketSlot(link_.devices_, link_.socket_);
  link_.Report(sent ? Msg::NetSendOk : Msg::NetSendFailed);
  return sent ? 1 : 0;
}

int SharedSocket::SendOnOwnConnection(Ipv4 address, std::uint16_t port, std::span<const std::uint8_t> bytes) {
  LinkDevices& devices = link_.devices_;
  const ConnectAttempt attempt =
      devices.ConnectOnce(address, port, kOwnConnectTimeout, [this] { return link_.Cancelled(); });
  if (attempt.result == AttemptResult::NoSocket) return -1;
  if (attempt.result != AttemptResult::Connected) return -3;
  SocketHandle socket = attempt.socket;
  const bool sent = SendOnSlot(devices, socket, bytes) == static_cast<int>(bytes.size());
  CloseSocketSlot(devices, socket);
  return sent ? 1 : 0;
}

}  // namespace prtbench
