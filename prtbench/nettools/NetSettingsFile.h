// The network settings dialog's values in Printer.ini, section [NET]: the
// addresses last set with "Set above contents" or "Set All", and the Wi-Fi
// values last set with the Wi-Fi button or "Set All". The Wi-Fi key is kept
// as typed, in plain text: the file's format has no other place for it.
#pragma once

#include "prtbench/link/Ipv4.h"
#include "prtbench/link/SettingsStore.h"
#include "prtbench/nettools/NetSettingFrames.h"

namespace prtbench {

struct NetAddresses {
  Ipv4 ip = 0;
  Ipv4 mask = 0;
  Ipv4 gateway = 0;
  bool operator==(const NetAddresses&) const = default;
};

// What the dialog shows when it opens: the stored values or the defaults
// 192.168.123.100 / 255.255.255.0 / 192.168.123.1, SSID and key
// "Quillon384", security 6 (WPA2_AES_PSK). An address that does not parse
// reads as 255.255.255.255.
NetAddresses LoadNetAddresses(const SettingsStore& store);
WifiValues LoadWifiValues(const SettingsStore& store);

// "IPADDR", "MASK", "GATE" as "%d.%d.%d.%d".
void SaveNetAddresses(SettingsStore& store, const NetAddresses& addresses);
// "SSID", "KEY" as typed, "KEYT" as "%d" of the selection (-1 for none).
void SaveWifiValues(SettingsStore& store, const WifiValues& wifi);

}  // namespace prtbench
