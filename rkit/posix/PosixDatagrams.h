// The printer search's UDP socket on Linux: bound to a port on every local
// address, broadcasting to 255.255.255.255.
#pragma once

#include "prtbench/nettools/DatagramSockets.h"

namespace rkit {

class PosixDatagrams final : public prtbench::DatagramSockets {
 public:
  prtbench::OpenedDatagramSocket Open(std::uint16_t port) override;
};

}  // namespace rkit
