// Multi-part sends of the configuration dialogs.
#include "prtbench/config/Send.h"

#include <utility>

namespace prtbench {

bool SendInTurn(PrinterLink& link, std::span<const Bytes> parts, const SendQueue::Cancelled& cancelled) {
  for (const Bytes& part : parts) {
    if (cancelled && cancelled()) return false;
    if (link.SendData(part) == 0) return false;
  }
  return true;
}

std::function<void(PrinterLink&, const SendQueue::Cancelled&)> InTurn(std::vector<Bytes> parts) {
  return [parts = std::move(parts)](PrinterLink& link, const SendQueue::Cancelled& cancelled) {
    SendInTurn(link, parts, cancelled);
  };
}

bool FitsOneSend(std::uint64_t length, std::uint64_t largestBuffer) {
  return length <= UINT32_MAX && length <= largestBuffer;
}

}  // namespace prtbench
