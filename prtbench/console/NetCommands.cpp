// Byte sequences of the address and identifier commands.
#include "prtbench/console/NetCommands.h"

namespace prtbench {
namespace {

// The four octets, first octet first, appended to `frame`.
Bytes WithAddress(Bytes frame, Ipv4 address) {
  for (int shift = 24; shift >= 0; shift -= 8) frame.push_back(static_cast<std::uint8_t>(address >> shift));
  return frame;
}

}  // namespace

Bytes NewAddressNetCommand(Ipv4 newIp) { return WithAddress({0x1F, 0x1B, 0x1F, 0x22}, newIp); }

Bytes NewAddressPortCommand(Ipv4 newIp) {
  return WithAddress({0x1F, 0x1B, 0x1F, 0x91, 0x00, 'I', 'P'}, newIp);
}

Bytes NewIdCommand(Ipv4 id) {
  Bytes frame = WithAddress({0x1F, 0x1B, 0x1F, 0x33}, id);
  frame.push_back(0x00);
  return frame;
}

bool SameSubnet24(Ipv4 local, Ipv4 printer) { return (local >> 8) == (printer >> 8); }

}  // namespace prtbench
