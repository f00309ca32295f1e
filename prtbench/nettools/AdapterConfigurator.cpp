// Moving the adapter into the printer's subnet and back, each method's
// result checked.
#include "prtbench/nettools/AdapterConfigurator.h"

namespace prtbench {
namespace {

constexpr Ipv4 kTemporaryMask = MakeIpv4(255, 255, 255, 0);
constexpr Ipv4 kTemporaryGateway = MakeIpv4(192, 168, 1, 1);
constexpr std::uint8_t kTemporaryHost = 253;
constexpr int kGatewayMetric = 1;

// Keeps the first failure of a sequence of steps.
void Note(std::optional<AdapterFailure>& first, const char* method, long result) {
  if (!first && !AdapterMethodDone(result)) first = AdapterFailure{method, result};
}

}  // namespace

std::optional<AdapterFailure> MoveAdapterToPrinterSubnet(AdapterConfigurator& adapter, Ipv4 printerIp) {
  const Ipv4 temporary = (printerIp & kTemporaryMask) | kTemporaryHost;
  std::optional<AdapterFailure> failure;
  Note(failure, "EnableStatic", adapter.EnableStatic(FormatIpv4(temporary), FormatIpv4(kTemporaryMask)));
  if (failure) return failure;
  Note(failure, "SetGateways", adapter.SetGateways(FormatIpv4(kTemporaryGateway), kGatewayMetric));
  return failure;
}

std::optional<AdapterFailure> RestoreAdapter(AdapterConfigurator& adapter, const AdapterSettings& saved) {
  std::optional<AdapterFailure> failure;
  if (saved.dhcp) {
    Note(failure, "EnableDHCP", adapter.EnableDhcp());
    return failure;
  }
  Note(failure, "EnableStatic", adapter.EnableStatic(saved.ip, saved.mask));
  if (!saved.gateway.empty()) Note(failure, "SetGateways", adapter.SetGateways(saved.gateway, kGatewayMetric));
  return failure;
}

}  // namespace prtbench
