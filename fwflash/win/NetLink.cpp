// TCP links to port 9100: a non-blocking connect given 3 s, then blocking
// sockets with 3 s send and receive time-outs.
#include "fwflash/win/PortLayer.h"

namespace fwflash {
namespace {

constexpr DWORD kSocketTimeoutMs = 3000;

bool SetBlocking(SOCKET s, bool blocking) {
  u_long nonBlocking = blocking ? 0 : 1;
  return ioctlsocket(s, FIONBIO, &nonBlocking) == 0;
}

// Waits up to 3 s for a connect in progress: 0 connected, -3 timed out,
// -4 failed. A refused connection counts as failed, not as connected.
int WaitForConnection(SOCKET s) {
  if (WSAGetLastError() != WSAEWOULDBLOCK) return -4;
  fd_set readable, writable, failed;
  FD_ZERO(&readable);
  FD_ZERO(&writable);
  FD_ZERO(&failed);
  FD_SET(s, &readable);
  FD_SET(s, &writable);
  FD_SET(s, &failed);
  timeval timeout{3, 0};
  const int ready = select(0, &readable, &writable, &failed, &timeout);
  if (ready == 0) return -3;
  if (ready < 0 || FD_ISSET(s, &failed)) return -4;
  int error = 0;
  int length = sizeof error;
  if (getsockopt(s, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &length) != 0 || error != 0) return -4;
  return 0;
}

}  // namespace

int PortLayer::NetOpen(uint32_t address) {
  const SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  if (s == INVALID_SOCKET) return -1;
  if (!SetBlocking(s, false)) {
    closesocket(s);
    return -2;
  }
  sockaddr_in printer{};
  printer.sin_family = AF_INET;
  printer.sin_port = htons(kPrinterTcpPort);
  printer.sin_addr.s_addr = htonl(address);
  if (connect(s, reinterpret_cast<const sockaddr*>(&printer), sizeof printer) == SOCKET_ERROR) {
    const int waited = WaitForConnection(s);
    if (waited != 0) {
      closesocket(s);
      return waited;
    }
  }
  setsockopt(s, SOL_SOCKET, SO_SNDTIMEO, reinterpret_cast<const char*>(&kSocketTimeoutMs), sizeof kSocketTimeoutMs);
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&kSocketTimeoutMs), sizeof kSocketTimeoutMs);
  if (!SetBlocking(s, true)) {
    closesocket(s);
    return -2;
  }
  return netLinks_.Add({address, kPrinterTcpPort, s});
}

int PortLayer::NetClose(int number) {
  const std::optional<NetLinkRecord> record = netLinks_.Remove(number);
  if (!record) return -2;
  return closesocket(record->socket) == 0 ? 1 : 0;
}

bool PortLayer::NetSend(std::span<const uint8_t> bytes) {
  const std::optional<NetLinkRecord> record = netLinks_.Find(linkNumber_.load());
  if (!record) return false;
  while (!bytes.empty()) {
    const int sent = send(record->socket, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) return false;
    bytes = bytes.subspan(static_cast<size_t>(sent));
  }
  return true;
}

bool PortLayer::NetReceive(Reply& reply) {
  const std::optional<NetLinkRecord> record = netLinks_.Find(linkNumber_.load());
  if (!record) return false;
  char bytes[4];
  const int count = recv(record->socket, bytes, sizeof bytes, 0);
  if (count <= 0) return false;
  std::copy_n(reinterpret_cast<const uint8_t*>(bytes), count, reply.begin());
  return true;
}

}  // namespace fwflash
