// Looks up the local host name's first IPv4 address through Winsock 1.1.
#include "prtbench/console/win/LocalAddress.h"

#include <winsock2.h>

namespace prtbench {

Ipv4 LocalIpv4() {
  const hostent* host = gethostbyname("");
  if (!host || host->h_addrtype != AF_INET || !host->h_addr_list || !host->h_addr_list[0]) return 0;
  const auto* octets = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
  return MakeIpv4(octets[0], octets[1], octets[2], octets[3]);
}

}  // namespace prtbench
