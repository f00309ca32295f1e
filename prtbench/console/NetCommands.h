// The main window's network tool commands: a new address for the printer and
// a new identifier, as configuration frames (1F 1B 1F, command byte, fields),
// and the subnet rule that decides whether the computer can reach the printer
// without re-addressing its own adapter.
#pragma once

#include "prtbench/base/Bytes.h"
#include "prtbench/link/Ipv4.h"

namespace prtbench {

// New address over TCP port 4000: 1F 1B 1F 22 N0 N1 N2 N3 (8 bytes).
Bytes NewAddressNetCommand(Ipv4 newIp);

// New address over LPT, COM or USB: 1F 1B 1F 91 00 'I' 'P' N0 N1 N2 N3 (11 bytes).
Bytes NewAddressPortCommand(Ipv4 newIp);

// New identifier over TCP port 4000: 1F 1B 1F 33 I0 I1 I2 I3 00 (9 bytes).
Bytes NewIdCommand(Ipv4 id);

// True when the first three octets agree: the computer and the printer are in
// the same /24 subnet.
bool SameSubnet24(Ipv4 local, Ipv4 printer);

}  // namespace prtbench
