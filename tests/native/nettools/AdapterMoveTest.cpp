// Set New IP through the printer's subnet: the adapter's steps, the waits
// and the send in their order, what stops the run and what does not.
#include <gtest/gtest.h>

#include "FakeAdapterConfigurator.h"
#include "common/Pause.h"
#include "prtbench/nettools/AdapterMove.h"

namespace {

using namespace prtbench;
using nettest::FakeAdapterConfigurator;
using Calls = std::vector<std::string>;

TEST(AdapterMove, SendsOnlyOnceTheAddressIsTakenAndAlwaysPutsTheAdapterBack) {
  const Calls moved = {"find", "EnableStatic 192.168.123.253/255.255.255.0", "SetGateways 192.168.1.1/1",
                       "pause 5000"};
  const auto then = [&moved](const Calls& rest) {
    Calls all = moved;
    all.insert(all.end(), rest.begin(), rest.end());
    return all;
  };
  const AdapterSettings dhcp{};
  const struct {
    const char* name;
    std::optional<AdapterSettings> adapter;
    std::deque<long> results;
    unsigned cancelAtPause;  // 0: never
    Calls calls;
    AdapterMoveOutcome outcome;
  } rows[] = {
      {"sent", dhcp, {}, 0, then({"send", "pause 3000", "EnableDHCP", "SetGateways"}), {true, {}, 1, std::nullopt}},
      {"no adapter", std::nullopt, {}, 0, {"find"}, {false, {}, std::nullopt, std::nullopt}},
      {"address refused", dhcp, {70}, 0, {"find", "EnableStatic 192.168.123.253/255.255.255.0", "EnableDHCP",
                                         "SetGateways"},
       {true, {AdapterFailure{"EnableStatic", 70}, std::nullopt}, std::nullopt, std::nullopt}},
      // the printer is on the same link: the gateway is not needed to reach it
      {"gateway refused", dhcp, {0, 66}, 0, then({"send", "pause 3000", "EnableDHCP", "SetGateways"}),
       {true, {std::nullopt, AdapterFailure{"SetGateways", 66}}, 1, std::nullopt}},
      {"not put back", dhcp, {0, 0, 84}, 0, then({"send", "pause 3000", "EnableDHCP", "SetGateways"}),
       {true, {}, 1, AdapterFailure{"EnableDHCP", 84}}},
      // a closing program skips the send, never the restore
      {"cancelled while moving", dhcp, {}, 5000, then({"EnableDHCP", "SetGateways"}),
       {true, {}, std::nullopt, std::nullopt}},
      {"cancelled after the send", dhcp, {}, 3000, then({"send", "pause 3000", "EnableDHCP", "SetGateways"}),
       {true, {}, 1, std::nullopt}},
  };
  for (const auto& row : rows) {
    FakeAdapterConfigurator adapter;
    adapter.adapter = row.adapter;
    adapter.results = row.results;
    bool cancelled = false;
    kit::FunctionClock clock([&](unsigned ms) {
      adapter.calls.push_back("pause " + std::to_string(ms));
      cancelled = cancelled || ms == row.cancelAtPause;
    });
    const auto send = [&adapter] {
      adapter.calls.push_back("send");
      return 1;
    };
    EXPECT_EQ(SendFromPrinterSubnet(adapter, clock, MakeIpv4(192, 168, 123, 100), send, [&] { return cancelled; }),
              row.outcome)
        << row.name;
    EXPECT_EQ(adapter.calls, row.calls) << row.name;
  }
}

}  // namespace
