// Connect attempts and their retries, the neighbour cache flush, socket slots.
#include "prtbench/link/Connect.h"

#include "common/Pause.h"

namespace prtbench {
namespace {

// The process-wide pause, for the callers not yet handed a clock.
class ProcessPause final : public kit::Clock {
 public:
  void Pause(unsigned milliseconds) override { kit::Pause(milliseconds); }
  bool PauseUnless(unsigned milliseconds, const std::function<bool()>& stop) override {
    return kit::PauseUnless(milliseconds, stop);
  }
};

}  // namespace

int ConnectWithTimeout(LinkDevices& devices, SocketHandle& slot, Ipv4 address, std::uint16_t port,
                       ConnectTimeout timeout, const std::function<bool()>& stop) {
  ProcessPause pause;
  return ConnectWithTimeout(devices, pause, slot, address, port, timeout, stop);
}

int ConnectWithTimeout(LinkDevices& devices, kit::Clock& clock, SocketHandle& slot, Ipv4 address, std::uint16_t port,
                       ConnectTimeout timeout, const std::function<bool()>& stop) {
  for (int attempt = 1;; ++attempt) {
    if (attempt > 1) FlushArpForAddress(devices, address);
    const ConnectAttempt result = devices.ConnectOnce(address, port, timeout);
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
