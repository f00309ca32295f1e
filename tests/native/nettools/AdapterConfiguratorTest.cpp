// Moving the adapter into the printer's subnet and restoring it, with every
// method's result checked.
#include <gtest/gtest.h>

#include "FakeAdapterConfigurator.h"

namespace {

using namespace prtbench;
using nettest::FakeAdapterConfigurator;
using Calls = std::vector<std::string>;

TEST(AdapterConfigurator, MovesToHost253OfThePrinterSubnetWithTheFixedGateway) {
  const struct {
    std::deque<long> results;
    Calls calls;
    std::optional<AdapterFailure> failure;
  } cases[] = {
      {{}, {"EnableStatic 192.168.123.253 255.255.255.0", "SetGateways 192.168.1.1 1"}, std::nullopt},
      {{1, 1}, {"EnableStatic 192.168.123.253 255.255.255.0", "SetGateways 192.168.1.1 1"}, std::nullopt},
      // a refused address stops there: no gateway for an address the adapter lacks
      {{70}, {"EnableStatic 192.168.123.253 255.255.255.0"}, AdapterFailure{"EnableStatic", 70}},
      {{0, 66},
       {"EnableStatic 192.168.123.253 255.255.255.0", "SetGateways 192.168.1.1 1"},
       AdapterFailure{"SetGateways", 66}},
      {{-1}, {"EnableStatic 192.168.123.253 255.255.255.0"}, AdapterFailure{"EnableStatic", -1}},
  };
  for (const auto& c : cases) {
    FakeAdapterConfigurator adapter;
    adapter.results = c.results;
    EXPECT_EQ(MoveAdapterToPrinterSubnet(adapter, MakeIpv4(192, 168, 123, 100)), c.failure);
    EXPECT_EQ(adapter.calls, c.calls);
  }
}

TEST(AdapterConfigurator, RestoresDhcpOrTheStaticAddressWithItsGatewayIfAny) {
  const struct {
    const char* what;
    AdapterSettings saved;
    std::deque<long> results;
    Calls calls;
    std::optional<AdapterFailure> failure;
  } cases[] = {
      {"DHCP", {"192.168.1.20", "255.255.255.0", "192.168.1.1", true}, {}, {"EnableDHCP"}, std::nullopt},
      {"static with gateway",
       {"10.0.0.20", "255.255.0.0", "10.0.0.1", false},
       {},
       {"EnableStatic 10.0.0.20 255.255.0.0", "SetGateways 10.0.0.1 1"},
       std::nullopt},
      {"static without gateway",
       {"10.0.0.20", "255.255.0.0", "", false},
       {},
       {"EnableStatic 10.0.0.20 255.255.0.0"},
       std::nullopt},
      {"DHCP refused", {"", "", "", true}, {84}, {"EnableDHCP"}, AdapterFailure{"EnableDHCP", 84}},
      // the gateway still goes back after a refused address
      {"static refused",
       {"10.0.0.20", "255.255.0.0", "10.0.0.1", false},
       {70, 0},
       {"EnableStatic 10.0.0.20 255.255.0.0", "SetGateways 10.0.0.1 1"},
       AdapterFailure{"EnableStatic", 70}},
  };
  for (const auto& c : cases) {
    FakeAdapterConfigurator adapter;
    adapter.results = c.results;
    EXPECT_EQ(RestoreAdapter(adapter, c.saved), c.failure) << c.what;
    EXPECT_EQ(adapter.calls, c.calls) << c.what;
  }
}

}  // namespace
