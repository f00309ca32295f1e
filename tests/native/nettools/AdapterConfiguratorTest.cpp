// Moving the adapter into the printer's subnet and putting back its whole
// IPv4 configuration, with every method's result checked, on the double
// whose state follows the methods.
#include <gtest/gtest.h>

#include "FakeAdapterConfigurator.h"

namespace {

using namespace prtbench;
using nettest::FakeAdapterConfigurator;
using Calls = std::vector<std::string>;

const Calls kMove = {"EnableStatic 192.168.123.253/255.255.255.0", "SetGateways 192.168.1.1/1"};

TEST(AdapterConfigurator, MovesToHost253OfThePrinterSubnetWithTheFixedGateway) {
  const struct {
    std::deque<long> results;
    Calls calls;
    AdapterMoveFailures failures;
  } cases[] = {
      {{}, kMove, {}},
      {{1, 1}, kMove, {}},
      // a refused address stops there: no gateway for an address the adapter lacks
      {{70}, {kMove[0]}, {AdapterFailure{"EnableStatic", 70}, std::nullopt}},
      {{-1}, {kMove[0]}, {AdapterFailure{"EnableStatic", -1}, std::nullopt}},
      {{0, 66}, kMove, {std::nullopt, AdapterFailure{"SetGateways", 66}}},
  };
  for (const auto& c : cases) {
    FakeAdapterConfigurator adapter;
    adapter.results = c.results;
    EXPECT_EQ(MoveAdapterToPrinterSubnet(adapter, MakeIpv4(192, 168, 123, 100)), c.failures);
    EXPECT_EQ(adapter.calls, c.calls);
  }
}

// After the move and back the adapter is as it was: no address, mask,
// gateway or metric lost, and no temporary gateway left.
TEST(AdapterConfigurator, RestoresTheWholeConfigurationAndLeavesNoTemporaryGateway) {
  const AdapterSettings twoStatic{{"10.0.0.20", "10.9.0.5"}, {"255.255.0.0", "255.255.255.0"},
                                  {"10.0.0.1", "10.0.0.2"}, {5, 20}, false};
  const AdapterSettings noGateway{{"10.0.0.20"}, {"255.255.0.0"}, {}, {}, false};
  const AdapterSettings dhcp{{"192.168.1.20"}, {"255.255.255.0"}, {"192.168.1.254"}, {1}, true};
  const struct {
    const char* what;
    AdapterSettings saved;
    std::deque<long> results;  // of the restore's methods
    Calls calls;
    AdapterSettings after;
    std::optional<AdapterFailure> failure;
  } cases[] = {
      {"static, two addresses and gateways", twoStatic, {},
       {"EnableStatic 10.0.0.20/255.255.0.0 10.9.0.5/255.255.255.0", "SetGateways 10.0.0.1/5 10.0.0.2/20"},
       twoStatic, std::nullopt},
      {"static without gateway", noGateway, {}, {"EnableStatic 10.0.0.20/255.255.0.0", "SetGateways"}, noGateway,
       std::nullopt},
      // the lease gives the address and its gateway back; no static one stays beside them
      {"DHCP", dhcp, {}, {"EnableDHCP", "SetGateways"}, AdapterSettings{{}, {}, {}, {}, true}, std::nullopt},
      {"DHCP refused", dhcp, {84}, {"EnableDHCP", "SetGateways"},
       AdapterSettings{{"192.168.123.253"}, {"255.255.255.0"}, {}, {}, false}, AdapterFailure{"EnableDHCP", 84}},
      // the gateways still go back after a refused address
      {"static refused", twoStatic, {70, 0},
       {"EnableStatic 10.0.0.20/255.255.0.0 10.9.0.5/255.255.255.0", "SetGateways 10.0.0.1/5 10.0.0.2/20"},
       AdapterSettings{{"192.168.123.253"}, {"255.255.255.0"}, twoStatic.gateways, twoStatic.metrics, false},
       AdapterFailure{"EnableStatic", 70}},
      {"temporary gateway not removed", noGateway, {0, 66}, {"EnableStatic 10.0.0.20/255.255.0.0", "SetGateways"},
       AdapterSettings{noGateway.ips, noGateway.masks, {"192.168.1.1"}, {1}, false}, AdapterFailure{"SetGateways", 66}},
  };
  for (const auto& c : cases) {
    FakeAdapterConfigurator adapter;
    adapter.adapter = c.saved;
    ASSERT_EQ(MoveAdapterToPrinterSubnet(adapter, MakeIpv4(192, 168, 123, 100)), AdapterMoveFailures{}) << c.what;
    adapter.calls.clear();
    adapter.results = c.results;
    EXPECT_EQ(RestoreAdapter(adapter, c.saved), c.failure) << c.what;
    EXPECT_EQ(adapter.calls, c.calls) << c.what;
    EXPECT_EQ(adapter.adapter, c.after) << c.what;
  }
}

}  // namespace
