// Multi-part sends of the configuration dialogs.
#include "prtbench/config/Send.h"

namespace prtbench {

bool SendInTurn(PrinterLink& link, std::span<const Bytes> parts, const SendQueue::Cancelled& cancelled) {
  for (const Bytes& part : parts) {
    if (cancelled && cancelled()) return false;
    if (link.SendData(part) == 0) return false;
  }
  return true;
}

bool FitsOneSend(std::uint64_t length, std::uint64_t largestBuffer) {
  return length <= UINT32_MAX && length <= largestBuffer;
}

}  // namespace prtbench
