// Connect attempts and their retries, the neighbour cache flush, socket slots.
#include "prtbench/link/Connect.h"

#include <algorithm>

namespace prtbench {

int ConnectWithTimeout(LinkDevices& devices, kit::Clock& clock, SocketHandle& slot, Ipv4 address,
                       std::uint16_t port, ConnectTimeout timeout, const std::function<bool()>& stop) {
  for (int attempt = 1;; ++attempt) {
    if (attempt > 1) FlushArpForAddress(devices, address);
    const ConnectAttempt result = devices.ConnectOnce(address, port, timeout, stop);
    slot = result.result == AttemptResult::Connected ? result.socket : kNoSocket;
    switch (result.result) {
      case AttemptResult::Connected:
        return 1;
      case AttemptResult::NoSocket:
        return -1;
      case AttemptResult::OptionRefused:
        return -2;
      case AttemptResult::TimedOut:
      case AttemptResult::WaitFailed:
        break;
    }
    if (attempt == kConnectAttempts) return result.result == AttemptResult::WaitFailed ? -4 : -3;
    if (clock.PauseUnless(kConnectRetryPauseMs, stop)) return -3;
  }
}

int WaitUnlessStopped(unsigned milliseconds, const std::function<bool()>& stop,
                      const std::function<int(unsigned)>& wait) {
  unsigned left = milliseconds;
  if (!stop) return wait(left);
  for (;;) {
    if (stop()) return 0;
    const unsigned slice = std::min(left, kStopCheckMs);
    const int answer = wait(slice);
    left -= slice;
    if (answer != 0 || left == 0) return answer;
  }
}

int WaitForConnect(ConnectTimeout timeout, const std::function<bool()>& stop,
                   const std::function<int(unsigned)>& wait) {
  return WaitUnlessStopped(static_cast<unsigned>(timeout.seconds * 1000 + timeout.microseconds / 1000), stop, wait);
}

void FlushArpForAddress(LinkDevices& devices, Ipv4 address) {
  const auto table = devices.ArpTable();
  if (!table) return;
  for (const ArpRow& row : *table) {
    if (row.address == address) devices.FlushArpInterface(row.interfaceIndex);
  }
}

int CloseSocketSlot(LinkDevices& devices, SocketHandle& slot) {
  if (slot == kNoSocket) return -1;
  const int result = devices.CloseSocket(slot);
  slot = kNoSocket;
  return result;
}

int SendOnSlot(LinkDevices& devices, SocketHandle slot, std::span<const std::uint8_t> bytes) {
  const int result = devices.Send(slot, bytes);
  return result < 0 ? -1 : result;
}

int ReceiveOnSlot(LinkDevices& devices, SocketHandle slot, std::span<std::uint8_t> buffer) {
  const int result = devices.Receive(slot, buffer);
  return result < 0 ? -1 : result;
}

}  // namespace prtbench
