// Moving the adapter into the printer's subnet and back, each method's
// result checked.
#include "prtbench/nettools/AdapterConfigurator.h"

namespace prtbench {
namespace {

constexpr Ipv4 kTemporaryMask = MakeIpv4(255, 255, 255, 0);
constexpr Ipv4 kTemporaryGateway = MakeIpv4(192, 168, 1, 1);
constexpr std::uint8_t kTemporaryHost = 253;
constexpr int kTemporaryMetric = 1;

// Keeps the first failure of a sequence of steps.
void Note(std::optional<AdapterFailure>& first, const char* method, long result) {
  if (!first && !AdapterMethodDone(result)) first = AdapterFailure{method, result};
}

}  // namespace

AdapterMoveFailures MoveAdapterToPrinterSubnet(AdapterConfigurator& adapter, Ipv4 printerIp) {
  const Ipv4 temporary = (printerIp & kTemporaryMask) | kTemporaryHost;
  AdapterMoveFailures failures;
  Note(failures.address, "EnableStatic", adapter.EnableStatic({FormatIpv4(temporary)}, {FormatIpv4(kTemporaryMask)}));
  // no gateway for an address the adapter lacks
  if (failures.address) return failures;
  Note(failures.gateway, "SetGateways", adapter.SetGateways({FormatIpv4(kTemporaryGateway)}, {kTemporaryMetric}));
  return failures;
}

std::optional<AdapterFailure> RestoreAdapter(AdapterConfigurator& adapter, const AdapterSettings& saved) {
  std::optional<AdapterFailure> failure;
  if (saved.dhcp) {
    Note(failure, "EnableDHCP", adapter.EnableDhcp());
    // DHCP gives its own gateway; a static one set by the move would stay beside it
    Note(failure, "SetGateways", adapter.SetGateways({}, {}));
    return failure;
  }
  Note(failure, "EnableStatic", adapter.EnableStatic(saved.ips, saved.masks));
  Note(failure, "SetGateways", adapter.SetGateways(saved.gateways, saved.metrics));
  return failure;
}

}  // namespace prtbench
