// Vendor rule, registry keys, port names, the report lines and the raw pages.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drvsetup/UsbPorts.h"

using namespace drvsetup;
using namespace std::string_literals;

TEST(UsbPorts, AcceptedVendorsAreCharactersEightToFifteenIgnoringCase) {
  const std::vector<std::pair<std::string, bool>> cases{
      {R"(\\?\usb#vid_067b&pid_2305#1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2})", true},
      {R"(\\?\usb#vid_0416&pid_5011#1#{...})", true},
      {R"(\\?\usb#VID_1CBE&PID_0002#1#{...})", true},
      {R"(\\?\usb#vid_0483&pid_5720#1#{...})", true},
      {R"(\\?\usb#vid_0471&pid_0055#1#{...})", true},
      {R"(\\?\usb#vid_1fc9&pid_2016#1#{...})", true},
      {R"(\\?\usb#vid_04b8&pid_0202#1#{...})", false},
      {R"(\\?\usb#pid_0483&vid_0483#1#{...})", false},
      {R"(\\?\usb#vid_0483)", true},
      {R"(\\?\usb#vid_048)", false},
      {"", false},
  };
  for (const auto& [path, accepted] : cases) EXPECT_EQ(IsAcceptedVendor(path), accepted) << path;
}

TEST(UsbPorts, InterfaceKeyTurnsEveryBackslashIntoHash) {
  EXPECT_EQ(InterfaceKey(R"(\\?\usb#vid_0483&pid_5720#A1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2})", "Control"),
            R"(SYSTEM\CurrentControlSet\Control\DeviceClasses\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\)"
            R"(##?#usb#vid_0483&pid_5720#A1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\#\Control)");
  EXPECT_EQ(InterfaceKey(R"(a\b)", "Device Parameters"),
            R"(SYSTEM\CurrentControlSet\Control\DeviceClasses\{28d78fad-5a12-11d1-ae5b-0000f803a8c2}\a#b\#\Device Parameters)");
}

TEST(UsbPorts, PortNamesHaveThreeDigits) {
  const std::vector<std::pair<unsigned, std::string>> cases{
      {1, "USB001"}, {12, "USB012"}, {123, "USB123"}, {0, "USB000"}, {1000, "USB1000"}};
  for (const auto& [n, name] : cases) {
    EXPECT_EQ(UsbPortName(n), name) << n;
    EXPECT_EQ(PortReportLine(n), "\t" + name + " ;\r\n") << n;
  }
  EXPECT_EQ(kPortReportHeading, "Your USB printer's Port is :\r\n");
}

TEST(UsbPorts, InstallTestPageBytes) {
  const std::string expected =
      "\x1B\x4A\x06\x1B\x61\x01\x1B\x21\x02\x1D\x21\x11"
      "IMPRESSORA Corvane\x0D\x0A\x0D\x0A"
      "\x1B\x40"
      "Parab\x82"
      "ns!\x0D\x0A\x0D\x0A"
      "Voc\x88 adquiriu e instalou \x0D\x0A"
      "corretamente o driver de\x0D\x0A"
      "comunica\x87\x84o da Impressora Corvane!\x0D\x0A\x0D\x0A"
      "Modelo:\x0D\x0A"
      "Corvane RX-8\x0D\x0A"
      "\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A\x0A"
      "\x1D\x56\x01"s;
  EXPECT_EQ(InstallTestPage(), expected);
}

TEST(UsbPorts, CheckPageNamesItsPort) {
  const std::string head =
      "Parab\x82"
      "ns por usar produtos da Corvane, \x0D\x0A"
      "sua melhor\x0Bop\x87\x84o em impressoras t\x82rmicas do mercado.\x0D\x0A"
      "A atual porta USB para  a RX-8 \x82:\x0D\x0A"s;
  const std::string tail = std::string(20, '\x0A') + "\x1D\x56\x01";
  for (const auto& [n, line] : std::vector<std::pair<unsigned, std::string>>{{1, "USB001"}, {12, "USB012"}}) {
    EXPECT_EQ(CheckPage(n), head + line + "\x0D\x0A" + tail) << n;
  }
}
