// The kit's configuration frames as the printer takes them: the settings they
// change, and what the printer prints differently afterwards.
#include <gtest/gtest.h>

#include <functional>

#include "PrintBench.h"
#include "vprinter/escpos/ConfigFrame.h"

namespace {

using namespace printbench;
using vprinter::escpos::Settings;

std::string Frame(std::initializer_list<int> after) {
  std::string frame = B({0x1F, 0x1B, 0x1F});
  for (int b : after) frame += static_cast<char>(b);
  return frame;
}

TEST(ConfigFrames, EachFrameChangesItsSetting) {
  struct Case {
    std::string frame;
    std::function<bool(const Settings&)> changed;
    std::string note;
  };
  const Case cases[] = {
      {Frame({0x13, 0x14, 0x08, 0, 0, 0, 0}), [](auto& s) { return s.density == 8; }, "density 8"},
      {Frame({0xFF, 0x10, 0x0A, 0x00}), [](auto& s) { return s.codePage == 16; }, "code page 16 WPC1252"},
      {Frame({0xFF, 0xFF, 0x0A, 0x00}), [](auto& s) { return s.codePage == 3; }, "code page 255 is not in this printer"},
      {Frame({0xE1, 0x13, 0x14, 0x02, 0, 0, 0, 0}), [](auto& s) { return s.widthDots == 640; }, "print width 80 mm: 640 dots"},
      {Frame({0xE1, 0x13, 0x14, 0x03, 0, 0, 0, 0}), [](auto& s) { return s.widthDots == 384; }, "print width 48 mm: 384 dots"},
      {Frame({0xE1, 0x13, 0x14, 0x01, 0, 0, 0, 0}), [](auto& s) { return s.widthDots == 576; }, "print width 76 mm: 576 dots"},
      {Frame({0xB8, 0x13, 0x14, 0x01, 0x00}), [](auto& s) { return s.interfaceMode == 1; }, "interface COM emulation"},
      {Frame({0xBE, 0x03, 0x0A, 0x00}), [](auto& s) { return s.baudIndex == 3; }, "baud rate index 3"},
      {Frame({0xBF, 0xC3, 0x00}), [](auto& s) { return s.dip == 0xC3 && !s.CutterEnabled(); }, "DIP switches C3"},
      {Frame({0x80, 0x04, 0x05, 0x06, 0x44}), [](auto& s) { return s.blackMark; }, "black mark on"},
      {Frame({0x80, 0x04, 0x05, 0x06, 0x66, 0x00}), [](auto& s) { return !s.blackMark; }, "black mark off"},
      {Frame({0x81, 0x04, 0x05, 0x06, 0x60, 0x09, 0x00}), [](auto& s) { return s.blackMarkMaxDots == 2400; },
       "black mark max length 2400 dots"},
      {Frame({0x82, 0x04, 0x05, 0x06, 0x50, 0x00, 0x00}), [](auto& s) { return s.blackMarkWidthDots == 80; },
       "black mark width limit 80 dots"},
      {Frame({0x00, 0x0A, 0x03, 0x4B}), [](auto& s) { return s.paperSaving[3] == 75; }, "paper saving function 3 value 75"},
      {Frame({0x62, 0x74, 0x73, 0x0D, 0x0A, 'A', 'T', '+', 'N', 'A', 'M', 'E', 'A', 'B', 0x0D, 0x0A, 0x0D, 0x0A, 0, 0}),
       [](auto& s) { return s.btName == "AB" && s.btPin == "486239"; }, "Bluetooth name \"AB\" PIN 486239"},
      {Frame({0x62, 0x74, 0x73, 0x0D, 0x0A, 'A', 'T', '+', 'N', 'A', 'M', 'E', 0x0D, 0x0A, 'A', 'T', '+', 'P', 'I',
              'N', '1', '2', 0x0D, 0x0A, 0x0D, 0x0A, 0, 0}),
       [](auto& s) { return s.btName == "Quillon384" && s.btPin == "12"; }, "Bluetooth name \"Quillon384\" PIN 12"},
      {Frame({0xB2, 0xC0, 0xA8, 0x01, 0xC8, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01}),
       [](auto& s) { return s.ip == vprinter::escpos::Ipv4{192, 168, 1, 200}; },
       "IP address 192.168.1.200 mask 255.255.255.0 gateway 192.168.1.1"},
      {Frame({0xB3, 0x06, 0x41, 0x42, 0x00, 0x00}), [](auto& s) { return s.ssid == "AB" && s.wifiKey.empty(); },
       "Wi-Fi SSID \"AB\" key type 6"},
      {Frame({0x00, 0x00, 0x01, 0xAA, 0x22, 'A', 'T', '+', 'S', 'I', 'P', '=', '0', 0x22}),
       [](auto& s) { return s.atCommand == "AT+SIP=0"; }, "Wi-Fi module command \"AT+SIP=0\""},
      {Frame({0x91, 0x00, 0x49, 0x50, 10, 0, 0, 7}), [](auto& s) { return s.ip == vprinter::escpos::Ipv4{10, 0, 0, 7}; },
       "IP address 10.0.0.7"},
      {Frame({0x33, 1, 2, 3, 4, 0x00}), [](auto& s) { return s.identifier == vprinter::escpos::Ipv4{1, 2, 3, 4}; },
       "identifier 1.2.3.4"},
      {B({0x1F, 0x1B, 0x02, 0x13, 0x14, 0xBA, 0x77, 0x07}) + "AB00123",
       [](auto& s) { return s.serialNumber == "AB00123"; }, "serial number \"AB00123\""},
  };
  for (const Case& c : cases) {
    for (bool bytewise : {false, true}) {
      Bench bench;
      if (bytewise) {
        for (char b : c.frame + "ok\n") bench.Feed(std::string(1, b));
      } else {
        bench.Feed(c.frame + "ok\n");
      }
      EXPECT_TRUE(c.changed(bench.settings)) << c.note;
      EXPECT_TRUE(bench.out.Noted("configuration: " + c.note)) << testing::PrintToString(bench.out.notes);
      ASSERT_EQ(bench.Receipts().size(), 1u) << c.note;
      EXPECT_EQ(bench.out.receipts[0].text, std::vector<std::string>{"ok"}) << c.note;  // nothing of the frame printed
    }
  }
}

TEST(ConfigFrames, WhatTheyChangeShowsInWhatIsPrintedNext) {
  struct Case {
    std::string bytes;
    std::function<void(const std::vector<Receipt>&)> check;
  };
  const std::string cut = B({0x1D, 0x56, 0x01});
  const Case cases[] = {
      // a new width from the next receipt on
      {"a\n" + Frame({0xE1, 0x13, 0x14, 0x02, 0, 0, 0, 0}) + "b\n" + cut + "c\n" + cut,
       [](auto& r) { EXPECT_EQ(r[0].page.width, 576); EXPECT_EQ(r[1].page.width, 640); }},
      // the code page frame picks the table at once: 84 is PC437's a umlaut
      {Frame({0xFF, 0x00, 0x0A, 0x00}) + B({0x84, 0x0A}) + cut, [](auto& r) { EXPECT_EQ(r[0].text[0], "ä"); }},
      // DIP: no cutter, so one receipt for both; 58 mm paper
      {Frame({0xBF, 0x09, 0x00}) + "a\n" + cut + "b\n" + cut,
       [](auto& r) { ASSERT_EQ(r.size(), 1u); EXPECT_EQ(r[0].page.width, 384); EXPECT_EQ(r[0].text.size(), 2u); }},
      // DIP: Chinese mode, GBK without FS &
      {Frame({0xBF, 0x04, 0x00}) + B({0xD6, 0xD0, 0x0A}) + cut, [](auto& r) { EXPECT_EQ(r[0].text[0], "中"); }},
      // black mark paper: GS FF ends the ticket
      {Frame({0x80, 0x04, 0x05, 0x06, 0x44}) + "a" + B({0x1D, 0x0C}) + "b\n" + cut,
       [](auto& r) { ASSERT_EQ(r.size(), 2u); EXPECT_EQ(r[0].ending, "fed to the next black mark"); }},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes);
    c.check(bench.Receipts());
  }
}

TEST(ConfigFrames, SelfTestPrintsTheSettings) {
  Bench bench;
  bench.Feed(Frame({0x13, 0x14, 0x07, 0, 0, 0, 0}) + Frame({0x22, 10, 1, 2, 3}) +
             Frame({0x62, 0x74, 0x73, 0x0D, 0x0A, 'A', 'T', '+', 'N', 'A', 'M', 'E', 'P', '1', 0x0D, 0x0A, 0x0D, 0x0A}) +
             Frame({0x67}));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  const auto& text = bench.out.receipts[0].text;
  EXPECT_EQ(text[0], "*** SELF TEST ***");
  EXPECT_NE(std::find(text.begin(), text.end(), "Density: 7"), text.end());
  EXPECT_NE(std::find(text.begin(), text.end(), "IP address 10.1.2.3"), text.end());
  EXPECT_NE(std::find(text.begin(), text.end(), "Bluetooth \"P1\" PIN 486239"), text.end());
  EXPECT_EQ(bench.out.receipts[0].ending, "self test, cut");
}

TEST(ConfigFrames, AFrameThatNeverEndsIsDroppedAfterItsCap) {
  Bench bench;
  bench.Feed(Frame({0xB3, 0x06}) + std::string(vprinter::escpos::kMaxFrame, 'z') + "\n" + B({0x1D, 0x56, 0x00}));
  EXPECT_TRUE(bench.out.Noted("configuration command B3 did not end within 1100 bytes: dropped"));
  ASSERT_EQ(bench.Receipts().size(), 1u);  // what follows the frame's command byte prints
}

}  // namespace
