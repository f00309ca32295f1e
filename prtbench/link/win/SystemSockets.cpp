// The printer link's TCP connect, sends and receives on Winsock 1.1 (with the
// keep-alive values ioctl of Winsock 2), and the ARP table of the IP helper.
#include <winsock2.h>
#include <ws2tcpip.h>
#include <mstcpip.h>
#include <iphlpapi.h>

#include <algorithm>
#include <cstdio>
#include <limits>

#include "prtbench/link/Connect.h"
#include "prtbench/link/win/SystemDevices.h"

namespace prtbench {
namespace {

SOCKET ToSocket(SocketHandle socket) { return static_cast<SOCKET>(socket); }

timeval Timeval(unsigned milliseconds) {
  return {static_cast<long>(milliseconds / 1000), static_cast<long>(milliseconds % 1000) * 1000};
}

int Clamp(size_t size) { return static_cast<int>(std::min<size_t>(size, std::numeric_limits<int>::max())); }

// Non-blocking mode and keep-alive (on, idle 2000 ms, interval 100 ms). On a
// refusal the diagnostic goes to the debugger output.
bool Configure(SOCKET socket) {
  u_long nonBlocking = 1;
  if (ioctlsocket(socket, FIONBIO, &nonBlocking) != 0) {
    OutputDebugStringA("\nioctlsocket");
    return false;
  }
  const BOOL keepAlive = TRUE;
  const int result =
      setsockopt(socket, SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<const char*>(&keepAlive), sizeof keepAlive);
  if (result != 0) {
    char text[64];
    std::snprintf(text, sizeof text, "setsockopt , %d\n", result);
    OutputDebugStringA(text);
    return false;
  }
  tcp_keepalive values{1, 2000, 100};
  DWORD returned = 0;
  return WSAIoctl(socket, SIO_KEEPALIVE_VALS, &values, sizeof values, nullptr, 0, &returned, nullptr, nullptr) == 0;
}

// Some stacks (Wine among them) report a refused connect as readable or
// writable rather than only as an exception: a socket with a pending error did
// not connect.
bool ConnectSucceeded(SOCKET socket) {
  int error = 0;
  int size = sizeof error;
  return getsockopt(socket, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&error), &size) == 0 && error == 0;
}

}  // namespace

ConnectAttempt SystemLinkDevices::ConnectOnce(Ipv4 address, std::uint16_t port, ConnectTimeout timeout,
                                              const std::function<bool()>& stop) {
  const SOCKET socket = ::socket(AF_INET, SOCK_STREAM, 0);
  if (socket == INVALID_SOCKET) return {AttemptResult::NoSocket};
  if (!Configure(socket)) {
    closesocket(socket);
    return {AttemptResult::OptionRefused};
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  if (connect(socket, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) {
    u_long blocking = 0;
    ioctlsocket(socket, FIONBIO, &blocking);
    return {AttemptResult::Connected, static_cast<SocketHandle>(socket)};
  }
  const int count = WaitForConnect(timeout, stop, [socket](unsigned milliseconds) {
    fd_set readable;
    fd_set writable;
    FD_ZERO(&readable);
    FD_ZERO(&writable);
    FD_SET(socket, &readable);
    FD_SET(socket, &writable);
    timeval wait = Timeval(milliseconds);
    return select(0, &readable, &writable, nullptr, &wait);
  });
  // a connected socket stays non-blocking: later sends and receives never block
  if (count > 0 && ConnectSucceeded(socket)) return {AttemptResult::Connected, static_cast<SocketHandle>(socket)};
  closesocket(socket);
  return {count >= 0 ? AttemptResult::TimedOut : AttemptResult::WaitFailed};
}

int SystemLinkDevices::Send(SocketHandle socket, std::span<const std::uint8_t> bytes) {
  const int sent = send(ToSocket(socket), reinterpret_cast<const char*>(bytes.data()), Clamp(bytes.size()), 0);
  if (sent != SOCKET_ERROR) return sent;
  return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kSocketError;
}

bool SystemLinkDevices::WaitWritable(SocketHandle socket, unsigned milliseconds,
                                     const std::function<bool()>& stop) {
  return WaitUnlessStopped(milliseconds, stop, [socket](unsigned slice) {
           fd_set writable;
           FD_ZERO(&writable);
           FD_SET(ToSocket(socket), &writable);
           timeval wait = Timeval(slice);
           return select(0, nullptr, &writable, nullptr, &wait);
         }) > 0;
}

bool SystemLinkDevices::WaitReadable(SocketHandle socket, unsigned milliseconds) {
  fd_set readable;
  FD_ZERO(&readable);
  FD_SET(ToSocket(socket), &readable);
  timeval wait = Timeval(milliseconds);
  return select(0, &readable, nullptr, nullptr, &wait) > 0;
}

int SystemLinkDevices::Receive(SocketHandle socket, std::span<std::uint8_t> buffer) {
  const int received = recv(ToSocket(socket), reinterpret_cast<char*>(buffer.data()), Clamp(buffer.size()), 0);
  if (received != SOCKET_ERROR) return received;
  return WSAGetLastError() == WSAEWOULDBLOCK ? kWouldBlock : kSocketError;
}

int SystemLinkDevices::CloseSocket(SocketHandle socket) { return closesocket(ToSocket(socket)); }

std::optional<std::vector<ArpRow>> SystemLinkDevices::ArpTable() {
  // first for its size, then the table itself
  ULONG size = 0;
  GetIpNetTable(nullptr, &size, TRUE);
  if (size == 0) return std::vector<ArpRow>{};
  std::vector<BYTE> buffer(size);
  auto* table = reinterpret_cast<MIB_IPNETTABLE*>(buffer.data());
  if (GetIpNetTable(table, &size, TRUE) != NO_ERROR) return std::nullopt;
  std::vector<ArpRow> rows;
  for (DWORD i = 0; i < table->dwNumEntries; ++i) {
    rows.push_back({ntohl(table->table[i].dwAddr), table->table[i].dwIndex});
  }
  return rows;
}

void SystemLinkDevices::FlushArpInterface(std::uint32_t interfaceIndex) { FlushIpNetTable(interfaceIndex); }

}  // namespace prtbench
