// Settings in words, and the width tables.
#include "vprinter/escpos/Settings.h"

#include <cstdio>

#include "vprinter/escpos/CodePage.h"

namespace vprinter::escpos {
namespace {

std::string Hex(int byte) {
  char text[4];
  std::snprintf(text, sizeof text, "%02X", byte & 0xFF);
  return text;
}

}  // namespace

int WidthMillimetres(int index) {
  constexpr int kMillimetres[] = {72, 76, 80, 48, 52, 56, 64, 68};
  return index >= 0 && index < 8 ? kMillimetres[index] : 0;
}

int WidthDots(int millimetres) {
  for (int dots : {640, 576, 512}) {
    if (dots <= millimetres * 8) return dots;
  }
  return 384;
}

int Settings::PaperDots() const { return (dip & kDipNot58mm) ? widthDots : 384; }

std::string Dotted(const Ipv4& a) {
  return std::to_string(a[0]) + "." + std::to_string(a[1]) + "." + std::to_string(a[2]) + "." + std::to_string(a[3]);
}

std::vector<std::string> Describe(const Settings& s) {
  const CodePage* page = FindCodePage(s.codePage);
  constexpr const char* kBauds[] = {"9600", "19200", "38400", "115200"};
  std::vector<std::string> lines = {
      "Print width: " + std::to_string(s.PaperDots()) + " dots" +
          (s.widthIndex >= 0 ? " (" + std::to_string(WidthMillimetres(s.widthIndex)) + " mm set)" : ""),
      "Density: " + std::to_string(s.density),
      "Code page: " + std::to_string(s.codePage) + " " + (page ? page->name : "?"),
      "DIP switches: " + Hex(s.dip) + (s.CutterEnabled() ? " cutter" : " no cutter") +
          ((s.dip & kDipNot58mm) ? " 80mm" : " 58mm") + (s.ChineseMode() ? " chinese" : ""),
      "Black mark: " + std::string(s.blackMark ? "on" : "off") + ", max " + std::to_string(s.blackMarkMaxDots / 8) +
          " mm, width " + std::to_string(s.blackMarkWidthDots / 8) + " mm",
      "Interface: " + std::string(s.interfaceMode ? "COM emulation" : "USB") + ", " +
          (s.baudIndex >= 0 && s.baudIndex < 4 ? kBauds[s.baudIndex] : "?") + " baud",
      "IP address " + Dotted(s.ip),
      "Subnet mask " + Dotted(s.mask),
      "Gateway " + Dotted(s.gateway),
      "Wi-Fi SSID \"" + s.ssid + "\" key type " + std::to_string(s.wifiKeyType),
      "Bluetooth \"" + s.btName + "\" PIN " + s.btPin,
  };
  if (s.identifier) lines.push_back("Identifier " + Dotted(*s.identifier));
  if (!s.serialNumber.empty()) lines.push_back("Serial number " + s.serialNumber);
  return lines;
}

}  // namespace vprinter::escpos
