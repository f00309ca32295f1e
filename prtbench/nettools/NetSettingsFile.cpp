// [NET] keys through the settings file operations every dialog uses.
#include "prtbench/nettools/NetSettingsFile.h"

#include "prtbench/link/PrinterIni.h"

namespace prtbench {

NetAddresses LoadNetAddresses(const SettingsStore& store) {
  return {Read(store, ini::kNetAddress), Read(store, ini::kNetMask), Read(store, ini::kNetGateway)};
}

WifiValues LoadWifiValues(const SettingsStore& store) {
  return {Read(store, ini::kNetSsid), Read(store, ini::kNetKey), Read(store, ini::kNetKeyType)};
}

void SaveNetAddresses(SettingsStore& store, const NetAddresses& addresses) {
  Write(store, ini::kNetAddress, addresses.ip);
  Write(store, ini::kNetMask, addresses.mask);
  Write(store, ini::kNetGateway, addresses.gateway);
}

void SaveWifiValues(SettingsStore& store, const WifiValues& wifi) {
  Write(store, ini::kNetSsid, wifi.ssid);
  Write(store, ini::kNetKey, wifi.key);
  Write(store, ini::kNetKeyType, wifi.security);
}

}  // namespace prtbench
