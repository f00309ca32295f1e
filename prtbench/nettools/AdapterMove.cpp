// The adapter move around Set New IP's send.
#include "prtbench/nettools/AdapterMove.h"

namespace prtbench {
namespace {

constexpr unsigned kAdapterMovedPauseMs = 5000;    // the adapter takes a while to use its new address
constexpr unsigned kAdapterRestorePauseMs = 3000;  // the printer takes the command in before the adapter goes

}  // namespace

AdapterMoveOutcome SendFromPrinterSubnet(AdapterConfigurator& adapter, kit::Clock& clock, Ipv4 printerIp,
                                         const std::function<int()>& send, const std::function<bool()>& cancelled) {
  AdapterMoveOutcome outcome;
  const std::optional<AdapterSettings> saved = adapter.FindLocalAdapter();
  if (!saved) return outcome;
  outcome.adapterFound = true;
  outcome.moveFailures = MoveAdapterToPrinterSubnet(adapter, printerIp);
  if (!outcome.moveFailures.address && !clock.PauseUnless(kAdapterMovedPauseMs, cancelled)) {
    outcome.sendResult = send();
    clock.PauseUnless(kAdapterRestorePauseMs, cancelled);
  }
  outcome.notRestored = RestoreAdapter(adapter, *saved);
  return outcome;
}

}  // namespace prtbench
