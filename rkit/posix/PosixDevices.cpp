// Serial and device files through termios and poll, TCP through BSD sockets.
#include "rkit/posix/PosixDevices.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>

#include "prtbench/link/Connect.h"
#include "prtbench/link/Ports.h"

namespace rkit {
namespace {

using namespace prtbench;

int Fd(std::intptr_t handle) { return static_cast<int>(handle); }

// The core names serial ports of five characters or more in the Win32 device
// namespace ("\\.\COM10"); a Linux path needs no such prefix.
std::string NativePath(const std::string& path) {
  const std::string prefix = "\\\\.\\";
  return path.rfind(prefix, 0) == 0 ? path.substr(prefix.size()) : path;
}

speed_t Speed(std::uint32_t baud) {
  switch (baud) {
    case 1200: return B1200;
    case 2400: return B2400;
    case 4800: return B4800;
    case 9600: return B9600;
    case 19200: return B19200;
    case 38400: return B38400;
    case 57600: return B57600;
    case 115200: return B115200;
    case 230400: return B230400;
    default: return B0;
  }
}

tcflag_t Size(std::uint8_t bits) {
  switch (bits) {
    case 5: return CS5;
    case 6: return CS6;
    case 7: return CS7;
    default: return CS8;
  }
}

using Deadline = std::chrono::steady_clock::time_point;

Deadline After(std::uint64_t milliseconds) {
  return std::chrono::steady_clock::now() + std::chrono::milliseconds(milliseconds);
}

// Milliseconds until `deadline`, 0 once it passed.
int Left(Deadline deadline) {
  const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - std::chrono::steady_clock::now());
  return static_cast<int>(std::max<std::int64_t>(left.count(), 0));
}

// One descriptor's poll, again after a signal: 1 when `events`, a hang-up or
// an error came, 0 on time-out, -1 when the poll failed or the descriptor is
// not open.
int Poll(int fd, short events, int milliseconds) {
  pollfd ready{fd, events, 0};
  int count;
  do count = poll(&ready, 1, milliseconds);
  while (count < 0 && errno == EINTR);
  if (count <= 0) return count < 0 ? -1 : 0;
  return (ready.revents & (events | POLLHUP | POLLERR)) != 0 ? 1 : -1;
}

bool Wait(int fd, short events, int milliseconds) { return Poll(fd, events, milliseconds) > 0; }

}  // namespace

DeviceHandle PosixDevices::OpenDevice(const std::string& path) {
  // not blocking: a serial port without carrier must not hold the open
  const int fd = open(NativePath(path).c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  return fd < 0 ? kNoDevice : fd;
}

bool PosixDevices::SetTimeouts(DeviceHandle device, const CommTimeouts& timeouts) {
  std::lock_guard lock(mutex_);
  timeouts_[device] = timeouts;
  return true;
}

bool PosixDevices::SetLine(DeviceHandle device, const LineSettings& line) {
  termios t{};
  const speed_t speed = Speed(line.baudRate);
  if (speed == B0 || line.byteSize < 5 || line.byteSize > 8 || line.stopBits == 1 || line.parity > 2) return false;
  if (tcgetattr(Fd(device), &t) != 0) return false;
  cfmakeraw(&t);
  cfsetispeed(&t, speed);
  cfsetospeed(&t, speed);
  t.c_cflag = (t.c_cflag & ~(CSIZE | PARENB | PARODD | CSTOPB | CRTSCTS)) | Size(line.byteSize) | CLOCAL | CREAD;
  if (line.parity != 0) t.c_cflag |= PARENB | (line.parity == 1 ? PARODD : 0);
  if (line.stopBits == 2) t.c_cflag |= CSTOPB;
  if (line.ctsFlow) t.c_cflag |= CRTSCTS;
  return tcsetattr(Fd(device), TCSANOW, &t) == 0;
}

bool PosixDevices::ChangeLine(DeviceHandle device, const LineChange& change) {
  termios t{};
  if (tcgetattr(Fd(device), &t) != 0) return false;
  if (change.baudRate) {
    const speed_t speed = Speed(*change.baudRate);
    if (speed == B0) return false;
    cfsetispeed(&t, speed);
    cfsetospeed(&t, speed);
  }
  if (change.xonXoff) {
    t.c_iflag = *change.xonXoff ? (t.c_iflag | IXON | IXOFF) : (t.c_iflag & ~(IXON | IXOFF));
    t.c_cc[VSTART] = 0x11;
    t.c_cc[VSTOP] = 0x13;
  }
  return tcsetattr(Fd(device), TCSANOW, &t) == 0;
}

bool PosixDevices::Purge(DeviceHandle device) { return !isatty(Fd(device)) || tcflush(Fd(device), TCIOFLUSH) == 0; }

void PosixDevices::AbortWrites(DeviceHandle device) {
  if (isatty(Fd(device))) tcflush(Fd(device), TCOFLUSH);
}

std::optional<std::uint32_t> PosixDevices::Write(DeviceHandle device, std::span<const std::uint8_t> bytes) {
  std::optional<CommTimeouts> limits;
  {
    std::lock_guard lock(mutex_);
    if (auto found = timeouts_.find(device); found != timeouts_.end()) limits = found->second;
  }
  // like a comm time-out: the whole call gives up after constant + n * multiplier
  const bool timed = limits && (limits->writeConstant != 0 || limits->writeMultiplier != 0);
  const Deadline deadline = After(timed ? limits->writeConstant + bytes.size() * limits->writeMultiplier : 0);
  std::uint32_t written = 0, last = 0;
  while (written < bytes.size()) {
    const ssize_t n = write(Fd(device), bytes.data() + written, bytes.size() - written);
    if (n > 0) {
      last = static_cast<std::uint32_t>(n);
      written += last;
      continue;
    }
    if (n < 0 && errno != EAGAIN && errno != EINTR) return std::nullopt;
    if (timed && Left(deadline) == 0) break;
    if (!Wait(Fd(device), POLLOUT, timed ? Left(deadline) : static_cast<int>(kStalledPrinterMs))) break;
  }
  // What a tty took stays queued for the line, as with a comm driver: no
  // drain, which a printer holding CTS off would make wait for ever. A USB
  // printer's last write is still in flight, and closing the device would
  // cancel it: it counts once the printer took it.
  if (!timed && written == bytes.size() && !Wait(Fd(device), POLLOUT, static_cast<int>(kStalledPrinterMs))) {
    return written - last;
  }
  return written;
}

void PosixDevices::Close(DeviceHandle device) {
  {
    std::lock_guard lock(mutex_);
    timeouts_.erase(device);
  }
  close(Fd(device));
}

std::optional<std::vector<UsbInterface>> PosixDevices::UsbPrinterInterfaces() {
  std::vector<UsbInterface> found;
  for (int i = 0; i < 20; ++i) {
    const std::string path = "/dev/usb/lp" + std::to_string(i);
    struct stat info{};
    if (stat(path.c_str(), &info) == 0) found.push_back({1, path});
  }
  return found;
}

DeviceHandle PosixDevices::OpenForWrite(const std::string& path) {
  const int fd = open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  return fd < 0 ? kNoDevice : fd;
}

std::optional<std::uint32_t> PosixDevices::Read(DeviceHandle device, std::span<std::uint8_t> buffer,
                                                unsigned milliseconds) {
  const Deadline deadline = After(milliseconds);
  std::uint32_t count = 0;
  while (count < buffer.size() && Wait(Fd(device), POLLIN, Left(deadline))) {
    const ssize_t n = read(Fd(device), buffer.data() + count, buffer.size() - count);
    if (n > 0) count += static_cast<std::uint32_t>(n);
    if (n == 0) break;  // the end of a file: nothing more will come
    if (n < 0 && errno != EAGAIN && errno != EINTR) return std::nullopt;
  }
  return count;
}

void PosixDevices::DiscardInput(DeviceHandle device) {
  if (isatty(Fd(device))) tcflush(Fd(device), TCIFLUSH);
}

ConnectAttempt PosixDevices::ConnectOnce(Ipv4 address, std::uint16_t port, ConnectTimeout timeout,
                                         const std::function<bool()>& stop) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return {AttemptResult::NoSocket};
  // keep-alive as the Win32 link sets it; Linux counts its interval in whole seconds
  const int on = 1, idle = 2, interval = 1;
  if (setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on) != 0 ||
      setsockopt(fd, IPPROTO_TCP, TCP_KEEPIDLE, &idle, sizeof idle) != 0 ||
      setsockopt(fd, IPPROTO_TCP, TCP_KEEPINTVL, &interval, sizeof interval) != 0) {
    close(fd);
    return {AttemptResult::OptionRefused};
  }
  sockaddr_in to{};
  to.sin_family = AF_INET;
  to.sin_port = htons(port);
  to.sin_addr.s_addr = htonl(address);
  if (connect(fd, reinterpret_cast<const sockaddr*>(&to), sizeof to) == 0) return {AttemptResult::Connected, fd};
  if (errno != EINPROGRESS) {
    close(fd);
    return {AttemptResult::TimedOut};
  }
  const int count = WaitForConnect(timeout, stop, [fd](unsigned milliseconds) {
    pollfd ready{fd, POLLOUT, 0};
    return poll(&ready, 1, static_cast<int>(milliseconds));
  });
  int error = 0;
  socklen_t length = sizeof error;
  if (count > 0 && getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0) {
    return {AttemptResult::Connected, fd};
  }
  close(fd);
  return {count >= 0 ? AttemptResult::TimedOut : AttemptResult::WaitFailed};
}

int PosixDevices::Send(SocketHandle socket, std::span<const std::uint8_t> bytes) {
  const ssize_t sent = send(Fd(socket), bytes.data(), bytes.size(), MSG_NOSIGNAL);
  if (sent >= 0) return static_cast<int>(sent);
  return errno == EAGAIN || errno == EWOULDBLOCK ? kWouldBlock : kSocketError;
}

bool PosixDevices::WaitWritable(SocketHandle socket, unsigned milliseconds, const std::function<bool()>& stop) {
  return WaitUnlessStopped(milliseconds, stop, [fd = Fd(socket)](unsigned slice) {
           return Poll(fd, POLLOUT, static_cast<int>(slice));
         }) > 0;
}

bool PosixDevices::WaitReadable(SocketHandle socket, unsigned milliseconds) {
  return Wait(Fd(socket), POLLIN, static_cast<int>(milliseconds));
}

int PosixDevices::Receive(SocketHandle socket, std::span<std::uint8_t> buffer) {
  const ssize_t n = recv(Fd(socket), buffer.data(), buffer.size(), 0);
  if (n >= 0) return static_cast<int>(n);
  return errno == EAGAIN || errno == EWOULDBLOCK ? kWouldBlock : kSocketError;
}

int PosixDevices::CloseSocket(SocketHandle socket) { return close(Fd(socket)); }

}  // namespace rkit
