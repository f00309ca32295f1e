// The computer's own IPv4 address as the network box shows it.
#pragma once

#include "prtbench/link/Ipv4.h"

namespace prtbench {

// The first IPv4 address of the local host name; 0 when there is none or
// Winsock is not started.
Ipv4 LocalIpv4();

}  // namespace prtbench
