// The monitor's connect, request, answer and close, each under the monitor's lock.
#include "prtbench/link/MonitorConnection.h"

namespace prtbench {

int MonitorConnection::Connect(Ipv4 address, ConnectTimeout timeout, const std::function<bool()>& stop) {
  Close();
  // connect without the lock, so that a shutdown closing the monitor never
  // waits for the attempts
  SocketHandle fresh = kNoSocket;
  const int result = ConnectWithTimeout(devices_, clock_, fresh, address, kMonitorPort, timeout, stop);
  std::lock_guard lock(mutex_);
  CloseSocketSlot(devices_, socket_);
  socket_ = fresh;
  return result;
}

bool MonitorConnection::Send(std::span<const std::uint8_t> request) {
  std::lock_guard lock(mutex_);
  if (socket_ == kNoSocket) return false;
  return devices_.Send(socket_, request) == static_cast<int>(request.size());
}

int MonitorConnection::Receive(std::span<std::uint8_t> buffer, unsigned waitMs) {
  SocketHandle socket = kNoSocket;
  {
    std::lock_guard lock(mutex_);
    socket = socket_;
  }
  if (socket == kNoSocket) return -1;
  // wait without the lock; read only if the connection is still the one
  // waited on. Receiving only when readable also keeps a socket that
  // connected at once, and so is blocking, from blocking here.
  const bool readable = devices_.WaitReadable(socket, waitMs);
  std::lock_guard lock(mutex_);
  if (socket_ != socket) return -1;
  if (!readable) return 0;
  const int received = devices_.Receive(socket, buffer);
  if (received == kWouldBlock) return 0;
  return received < 0 ? -1 : received;
}

void MonitorConnection::Close() {
  std::lock_guard lock(mutex_);
  CloseSocketSlot(devices_, socket_);
}

}  // namespace prtbench
