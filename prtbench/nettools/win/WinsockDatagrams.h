// The search's and Save's UDP sockets on Winsock: broadcast on, bound to any
// local address, a receive that waits with select.
#pragma once

#include "prtbench/nettools/DatagramSockets.h"

namespace prtbench {

class WinsockDatagramSockets : public DatagramSockets {
 public:
  OpenedDatagramSocket Open(std::uint16_t port) override;
};

}  // namespace prtbench
