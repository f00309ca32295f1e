// BSD sockets behind the search's datagram seam.
#include "rkit/posix/PosixDatagrams.h"

#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace rkit {
namespace {

using namespace prtbench;

class PosixDatagramSocket final : public DatagramSocket {
 public:
  explicit PosixDatagramSocket(int fd) : fd_(fd) {}
  ~PosixDatagramSocket() override { close(fd_); }

  bool Broadcast(std::span<const std::uint8_t> bytes, std::uint16_t port) override {
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = htonl(INADDR_BROADCAST);
    const ssize_t sent = sendto(fd_, bytes.data(), bytes.size(), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
    if (sent < 0) error_ = errno;
    return sent == static_cast<ssize_t>(bytes.size());
  }

  int Receive(std::span<std::uint8_t> buffer, unsigned waitMs) override {
    pollfd ready{fd_, POLLIN, 0};
    const int count = poll(&ready, 1, static_cast<int>(waitMs));
    if (count == 0 || (count < 0 && errno == EINTR)) return kDatagramNone;
    const ssize_t n = count < 0 ? -1 : recv(fd_, buffer.data(), buffer.size(), MSG_TRUNC);
    if (n < 0) {
      error_ = errno;
      return kDatagramError;
    }
    return static_cast<int>(std::min<size_t>(static_cast<size_t>(n), buffer.size()));
  }

  int lastError() const override { return error_; }

 private:
  int fd_;
  int error_ = 0;
};

}  // namespace

OpenedDatagramSocket PosixDatagrams::Open(std::uint16_t port) {
  const int fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return {nullptr, BindResult::Failed, errno};
  const int on = 1;
  setsockopt(fd, SOL_SOCKET, SO_BROADCAST, &on, sizeof on);
  sockaddr_in local{};
  local.sin_family = AF_INET;
  local.sin_port = htons(port);
  local.sin_addr.s_addr = htonl(INADDR_ANY);
  OpenedDatagramSocket opened{std::make_unique<PosixDatagramSocket>(fd), BindResult::Bound, 0};
  if (bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local) != 0) {
    opened.error = errno;
    opened.bind = errno == EADDRINUSE ? BindResult::PortTaken : BindResult::Failed;
  }
  return opened;
}

}  // namespace rkit
