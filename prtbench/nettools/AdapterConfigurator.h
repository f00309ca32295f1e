// The computer's own network adapter, re-addressed for a moment when a
// printer in another subnet gets a new address: the adapter that carries
// the local address is found, switched to a static address in the
// printer's subnet, and put back as it was. WMI in the program
// (win/WmiAdapterConfigurator.h), a fake in tests: no test touches a real
// adapter.
#pragma once

#include <optional>
#include <string>

#include "prtbench/link/Ipv4.h"

namespace prtbench {

// How the adapter was set when it was found: dotted texts as WMI has them
// (the IPv4 elements of its lists), the gateway empty when it has none.
struct AdapterSettings {
  std::string ip;
  std::string mask;
  std::string gateway;
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
  // number when the method could not be called at all.
  virtual long EnableDhcp() = 0;
  virtual long EnableStatic(const std::string& ip, const std::string& mask) = 0;
  virtual long SetGateways(const std::string& gateway, int metric) = 0;
};

// A method's result: did the adapter take the change?
inline bool AdapterMethodDone(long result) { return result == 0 || result == 1; }

// What went wrong with the adapter: nullopt when every method did its work,
// else the first method that failed and its result.
struct AdapterFailure {
  std::string method;
  long result = 0;
  bool operator==(const AdapterFailure&) const = default;
};

// The address in the printer's subnet: P0.P1.P2.253 with mask 255.255.255.0
// and gateway 192.168.1.1 with metric 1. Stops at the first failure.
std::optional<AdapterFailure> MoveAdapterToPrinterSubnet(AdapterConfigurator& adapter, Ipv4 printerIp);

// Puts back what FindLocalAdapter read: DHCP, or the static address and mask
// and, when there was one, the gateway with metric 1. Tries every step even
// after a failure, so as much as possible comes back; reports the first.
std::optional<AdapterFailure> RestoreAdapter(AdapterConfigurator& adapter, const AdapterSettings& saved);

}  // namespace prtbench
