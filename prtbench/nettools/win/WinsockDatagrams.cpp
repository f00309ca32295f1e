// One UDP socket per search or save, closed with its object.
#include "prtbench/nettools/win/WinsockDatagrams.h"

#include <winsock2.h>

namespace prtbench {
namespace {

class WinsockDatagramSocket : public DatagramSocket {
 public:
  explicit WinsockDatagramSocket(SOCKET socket) : socket_(socket) {}
  ~WinsockDatagramSocket() override { closesocket(socket_); }

  bool Broadcast(std::span<const std::uint8_t> bytes, std::uint16_t port) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    const int sent = sendto(socket_, reinterpret_cast<const char*>(bytes.data()), static_cast<int>(bytes.size()), 0,
                            reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent == SOCKET_ERROR) error_ = WSAGetLastError();
    return sent == static_cast<int>(bytes.size());
  }

  int Receive(std::span<std::uint8_t> buffer, unsigned waitMs) override {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket_, &readable);
    timeval wait{static_cast<long>(waitMs / 1000), static_cast<long>(waitMs % 1000) * 1000};
    const int ready = select(0, &readable, nullptr, nullptr, &wait);
    if (ready == 0) return kDatagramNone;
    if (ready == SOCKET_ERROR) return Failed();
    sockaddr_in from{};
    int fromLength = sizeof from;
    const int length = recvfrom(socket_, reinterpret_cast<char*>(buffer.data()), static_cast<int>(buffer.size()), 0,
                                reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (length != SOCKET_ERROR) return length;
    // a longer datagram is cut to the buffer, as the search's buffer takes it
    if (WSAGetLastError() == WSAEMSGSIZE) return static_cast<int>(buffer.size());
    return Failed();
  }

  int lastError() const override { return error_; }

 private:
  int Failed() {
    error_ = WSAGetLastError();
    return kDatagramError;
  }

  SOCKET socket_;
  int error_ = 0;
};

}  // namespace

OpenedDatagramSocket WinsockDatagramSockets::Open(std::uint16_t port) {
  const SOCKET socket = ::socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
  if (socket == INVALID_SOCKET) return {nullptr, BindResult::Failed, WSAGetLastError()};
  // without SO_BROADCAST the broadcast send is refused (10013)
  const BOOL on = TRUE;
  setsockopt(socket, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  OpenedDatagramSocket opened{std::make_unique<WinsockDatagramSocket>(socket), BindResult::Bound, 0};
  if (bind(socket, reinterpret_cast<const sockaddr*>(&local), sizeof local) == SOCKET_ERROR) {
    opened.error = WSAGetLastError();
    opened.bind =
        opened.error == WSAEADDRINUSE || opened.error == WSAEACCES ? BindResult::PortTaken : BindResult::Failed;
  }
  return opened;
}

}  // namespace prtbench
