// USB port names, registry keys of printer interfaces and the raw pages.
#include "drvsetup/UsbPorts.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdio>

namespace drvsetup {
namespace {

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
         });
}

// the end of each page: 20 line feeds, then GS V 1, a partial cut
std::string FeedAndCut() { return std::string(20, '\x0A') + "\x1D\x56\x01"; }

}  // namespace

bool IsAcceptedVendor(std::string_view devicePath) {
  static constexpr std::array<std::string_view, 6> kVendors{"vid_067b", "vid_0416", "vid_1cbe",
                                                            "vid_0483", "vid_0471", "vid_1FC9"};
  if (devicePath.size() < 16) return false;
  const std::string_view key = devicePath.substr(8, 8);
  return std::any_of(kVendors.begin(), kVendors.end(), [&](auto vendor) { return EqualIgnoringCase(key, vendor); });
}

std::string InterfaceKey(std::string_view devicePath, std::string_view subkey) {
  std::string path(devicePath);
  std::replace(path.begin(), path.end(), '\\', '#');
  return "SYSTEM\\CurrentControlSet\\Control\\DeviceClasses\\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\\" + path +
         "\\#\\" + std::string(subkey);
}

std::string UsbPortName(unsigned portNumber) {
  char name[16];
  std::snprintf(name, sizeof name, "USB%03u", portNumber);
  return name;
}

std::string PortReportLine(unsigned portNumber) { return "\t" + UsbPortName(portNumber) + " ;\r\n"; }

std::string InstallTestPage() {
  // 860: e acute 82, e circumflex 88, c cedilla 87, a tilde 84
  return std::string("\x1B\x4A\x06" "\x1B\x61\x01" "\x1B\x21\x02" "\x1D\x21\x11") +
         "IMPRESSORA Corvane\r\n\r\n" +
         "\x1B\x40" +  // initialise: ends the centring and the enlargement
         "Parab\x82" "ns!\r\n\r\n" +
         "Voc\x88 adquiriu e instalou \r\n" +
         "corretamente o driver de\r\n" +
         "comunica\x87\x84" "o da Impressora Corvane!\r\n\r\n" +
         "Modelo:\r\n" +
         "Corvane RX-8\r\n" + FeedAndCut();
}

std::string CheckPage(unsigned portNumber) {
  return std::string("Parab\x82" "ns por usar produtos da Corvane, \r\n") +
         "sua melhor\x0B" "op\x87\x84" "o em impressoras t\x82" "rmicas do mercado.\r\n" +
         "A atual porta USB para  a RX-8 \x82:\r\n" +
         UsbPortName(portNumber) + "\r\n" + FeedAndCut();
}

}  // namespace drvsetup
