// Set New IP for a printer outside the computer's /24 subnet: the command
// reaches the printer only from its own subnet, so the computer's adapter
// moves there for the send and is put back as it was.
#pragma once

#include <functional>
#include <optional>

#include "common/Pause.h"
#include "prtbench/link/Ipv4.h"
#include "prtbench/nettools/AdapterConfigurator.h"

namespace prtbench {

struct AdapterMoveOutcome {
  // False when the adapter could not be read: nothing was changed or sent.
  bool adapterFound = false;
  AdapterMoveFailures moveFailures;
  // `send`'s result; nullopt when it was not called (the address was
  // refused, or the run was cancelled before it).
  std::optional<int> sendResult;
  // The first step of putting the adapter back that it refused.
  std::optional<AdapterFailure> notRestored;
  bool operator==(const AdapterMoveOutcome&) const = default;
};

// Reads the adapter, moves it into `printerIp`'s subnet, waits 5000 ms for
// it to use its new address, calls `send` (the new-address command on the
// monitor port), waits 3000 ms and puts the adapter back. Only a refused
// address stops the run before `send`. Once `cancelled` answers true the
// waits end and `send` is skipped, but a moved adapter is still put back:
// the computer must not stay in the printer's subnet.
AdapterMoveOutcome SendFromPrinterSubnet(AdapterConfigurator& adapter, kit::Clock& clock, Ipv4 printerIp,
                                         const std::function<int()>& send, const std::function<bool()>& cancelled);

}  // namespace prtbench
