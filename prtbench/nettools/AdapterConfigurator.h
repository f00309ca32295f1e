// The computer's own network adapter, re-addressed for a moment when a
// printer in another subnet gets a new address: the adapter that carries
// the local address is found, switched to a static address in the
// printer's subnet, and put back as it was. WMI in the program
// (win/WmiAdapterConfigurator.h), a fake in tests: no test touches a real
// adapter.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "prtbench/link/Ipv4.h"

namespace prtbench {

// The adapter's whole IPv4 configuration when it was found, dotted texts as
// WMI has them (the IPv4 elements of its lists, in list order).
struct AdapterSettings {
  std::vector<std::string> ips;
  std::vector<std::string> masks;     // beside `ips`
  std::vector<std::string> gateways;  // none when it has no default gateway
  std::vector<int> metrics;           // beside `gateways`
  bool dhcp = true;
  bool operator==(const AdapterSettings&) const = default;
};

class AdapterConfigurator {
 public:
  virtual ~AdapterConfigurator() = default;  // releases what the lookup took

  // Finds the adapter whose IPv4 addresses hold the computer's address and
  // reads its settings; nullopt when the address, the adapter or its
  // interface key cannot be found (nothing is changed then).
  virtual std::optional<AdapterSettings> FindLocalAdapter() = 0;
  // The adapter methods. Each returns the method's return value (0 done, 1
  // done after a restart, other values WMI's failure codes), or a negative
  // number when the method could not be called at all. EnableDhcp leaves
  // the static gateways in place; SetGateways with none removes them.
  virtual long EnableDhcp() = 0;
  virtual long EnableStatic(const std::vector<std::string>& ips, const std::vector<std::string>& masks) = 0;
  virtual long SetGateways(const std::vector<std::string>& gateways, const std::vector<int>& metrics) = 0;
};

// A method's result: did the adapter take the change?
inline bool AdapterMethodDone(long result) { return result == 0 || result == 1; }

// A method the adapter refused, and its result.
struct AdapterFailure {
  std::string method;
  long result = 0;
  bool operator==(const AdapterFailure&) const = default;
};

// The first refusal of each step of the move into the printer's subnet.
struct AdapterMoveFailures {
  // The address: the move stopped there, nothing more is set or sent.
  std::optional<AdapterFailure> address;
  // The temporary gateway, not needed to reach a printer on the same link.
  std::optional<AdapterFailure> gateway;
  bool operator==(const AdapterMoveFailures&) const = default;
};

// The address in the printer's subnet: P0.P1.P2.253 with mask 255.255.255.0,
// then gateway 192.168.1.1 with metric 1 unless the address was refused.
AdapterMoveFailures MoveAdapterToPrinterSubnet(AdapterConfigurator& adapter, Ipv4 printerIp);

// Puts back what FindLocalAdapter read: DHCP and no static gateway (the
// temporary one must not stay), or every static address and mask and every
// gateway with its metric (none: the temporary one removed). Tries every
// step even after a failure, so as much as possible comes back; reports the
// first refusal.
std::optional<AdapterFailure> RestoreAdapter(AdapterConfigurator& adapter, const AdapterSettings& saved);

}  // namespace prtbench
