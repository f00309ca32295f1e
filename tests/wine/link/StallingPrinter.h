// A printer on loopback that goes wrong in the middle of a job, for the NET
// link's tests: it takes the first `keep` bytes of its first connection and
// then stops reading (paper out) or hangs up. It goes on listening, so a
// second connection would be seen. Needs Winsock started.
#pragma once

#include <winsock2.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <thread>

namespace linktest {

class StallingPrinter {
 public:
  enum class Fault { StopsReading, HangsUp };

  StallingPrinter(std::uint32_t address, std::uint16_t port, size_t keep, Fault fault) : keep_(keep), fault_(fault) {
    listener_ = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in at{};
    at.sin_family = AF_INET;
    at.sin_port = htons(port);
    at.sin_addr.s_addr = htonl(address);
    listening_ = bind(listener_, reinterpret_cast<sockaddr*>(&at), sizeof at) == 0 && listen(listener_, 4) == 0;
    if (listening_) reader_ = std::thread([this] { Serve(); });
  }
  ~StallingPrinter() {
    if (reader_.joinable()) reader_.join();
    closesocket(listener_);
    if (first_ != INVALID_SOCKET) closesocket(first_);
  }
  StallingPrinter(const StallingPrinter&) = delete;
  StallingPrinter& operator=(const StallingPrinter&) = delete;

  bool listening() const { return listening_; }

  // Once the sender is done: everything the first connection received, the
  // bytes still on their way included (read until the sender's end closes or
  // nothing comes for a second).
  std::string Received() {
    if (reader_.joinable()) reader_.join();
    if (fault_ == Fault::StopsReading && first_ != INVALID_SOCKET) ReadRest();
    return received_;
  }

  // Whether a second connection arrived (accepted or waiting to be).
  bool SecondConnection() {
    if (reader_.joinable()) reader_.join();
    u_long nonBlocking = 1;
    ioctlsocket(listener_, FIONBIO, &nonBlocking);
    const SOCKET second = accept(listener_, nullptr, nullptr);
    if (second == INVALID_SOCKET) return false;
    closesocket(second);
    return true;
  }

 private:
  void Serve() {
    if (!Readable(listener_, 30)) return;  // nobody came
    first_ = accept(listener_, nullptr, nullptr);
    if (first_ == INVALID_SOCKET) return;
    char buffer[4096];
    while (received_.size() < keep_) {
      const int got = recv(first_, buffer, static_cast<int>(std::min(sizeof buffer, keep_ - received_.size())), 0);
      if (got <= 0) return;
      received_.append(buffer, static_cast<size_t>(got));
    }
    if (fault_ == Fault::HangsUp) {
      // a reset, as a printer that loses power, so the sender hears of it at once
      const linger reset{1, 0};
      setsockopt(first_, SOL_SOCKET, SO_LINGER, reinterpret_cast<const char*>(&reset), sizeof reset);
      closesocket(first_);
      first_ = INVALID_SOCKET;
    }
  }

  static bool Readable(SOCKET socket, long seconds) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(socket, &readable);
    timeval wait{seconds, 0};
    return select(0, &readable, nullptr, nullptr, &wait) > 0;
  }

  void ReadRest() {
    char buffer[65536];
    while (Readable(first_, 1)) {
      const int got = recv(first_, buffer, sizeof buffer, 0);
      if (got <= 0) return;
      received_.append(buffer, static_cast<size_t>(got));
    }
  }

  size_t keep_;
  Fault fault_;
  SOCKET listener_ = INVALID_SOCKET;
  SOCKET first_ = INVALID_SOCKET;
  bool listening_ = false;
  std::string received_;
  std::thread reader_;
};

}  // namespace linktest
