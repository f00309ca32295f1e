// The [NET] keys: defaults, stored values, what the buttons write.
#include <gtest/gtest.h>

#include "FakeSettingsStore.h"
#include "prtbench/nettools/NetSettingsFile.h"

namespace {

using namespace prtbench;
using linktest::FakeSettingsStore;

TEST(NetSettingsFile, AFileWithoutTheKeysGivesTheDefaults) {
  FakeSettingsStore store;
  EXPECT_EQ(LoadNetAddresses(store),
            (NetAddresses{MakeIpv4(192, 168, 123, 100), MakeIpv4(255, 255, 255, 0), MakeIpv4(192, 168, 123, 1)}));
  const WifiValues wifi = LoadWifiValues(store);
  EXPECT_EQ(wifi.ssid, "Quillon384");
  EXPECT_EQ(wifi.key, "Quillon384");
  EXPECT_EQ(wifi.security, 6);
}

TEST(NetSettingsFile, StoredValuesAreReadAndABadAddressIsAllOnes) {
  FakeSettingsStore store;
  store.Put("NET", "IPADDR", "10.1.2.3");
  store.Put("NET", "MASK", "255.0.0.0");
  store.Put("NET", "GATE", "10.1.2");
  store.Put("NET", "SSID", "shop floor");
  store.Put("NET", "KEY", "s3cret");
  store.Put("NET", "KEYT", "2");
  EXPECT_EQ(LoadNetAddresses(store), (NetAddresses{MakeIpv4(10, 1, 2, 3), MakeIpv4(255, 0, 0, 0), kAllOnesIpv4}));
  const WifiValues wifi = LoadWifiValues(store);
  EXPECT_EQ(wifi.ssid, "shop floor");
  EXPECT_EQ(wifi.key, "s3cret");
  EXPECT_EQ(wifi.security, 2);
}

TEST(NetSettingsFile, SavesWriteDottedAddressesTheKeyInPlainTextAndTheIndex) {
  FakeSettingsStore store;
  SaveNetAddresses(store, {MakeIpv4(192, 168, 1, 200), MakeIpv4(255, 255, 255, 0), MakeIpv4(192, 168, 1, 1)});
  SaveWifiValues(store, {"AB", "", 6});
  SaveWifiValues(store, {"AB", "pw", -1});
  EXPECT_EQ(store.log(), (std::vector<std::string>{"write NET/IPADDR=192.168.1.200", "write NET/MASK=255.255.255.0",
                                                   "write NET/GATE=192.168.1.1", "write NET/SSID=AB",
                                                   "write NET/KEY=", "write NET/KEYT=6", "write NET/SSID=AB",
                                                   "write NET/KEY=pw", "write NET/KEYT=-1"}));
}

}  // namespace
