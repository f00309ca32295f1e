// Opening the device links: names, time-outs, line settings, the USB choice.
#include "prtbench/link/Ports.h"

#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "FakeLinkDevices.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;
using Log = std::vector<std::string>;

TEST(ComDevicePath, FiveCharactersOrMoreTakeTheDeviceNamespaceForm) {
  const struct {
    const char* name;
    const char* path;
  } rows[] = {{"COM1", "COM1"},     {"COM9", "COM9"},           {"COM10", "\\\\.\\COM10"},
              {"LPT1", "LPT1"},     {"COM255", "\\\\.\\COM255"}, {"", ""},
              // characters count, not bytes: four characters in eight bytes, then five
              {"串口12", "串口12"}, {"串口123", "\\\\.\\串口123"}};
  for (const auto& row : rows) EXPECT_EQ(ComDevicePath(row.name), row.path) << row.name;
}

TEST(ComTimeouts, ReadsAsLptAndWritesBoundedByTheLineTimeOfSmallPieces) {
  const struct {
    std::uint32_t baud;
    std::uint32_t perByte;
    size_t piece;
  } rows[] = {{1200, 20, 50},     {2400, 10, 100},    {4800, 5, 200},      {9600, 3, 333},  {19200, 2, 500},
              {38400, 1, 1000},   {115200, 1, 1000},  {128000, 1, 1000},   {0, 24000, 1}};
  for (const auto& row : rows) {
    EXPECT_EQ(ComTimeouts(row.baud), (CommTimeouts{0, 20, 20, row.perByte, 10000})) << row.baud;
    EXPECT_EQ(ComPieceSize(row.baud), row.piece) << row.baud;
  }
}

TEST(WriteComPieces, GoesOnWhileThePrinterTakesBytesAndStopsWhenItTakesNone) {
  std::string job(2500, '\0');
  for (size_t i = 0; i < job.size(); ++i) job[i] = static_cast<char>(i * 13 + i / 256);
  const struct {
    const char* what;
    std::deque<std::optional<std::uint32_t>> script;
    Log writes;
    std::optional<std::uint32_t> result;
  } rows[] = {
      {"CTS pacing cuts calls short, every one takes bytes",
       {600, 400, 1000, 200, 300},
       {"write 1 1000 -> 600", "write 1 1000 -> 400", "write 1 1000 -> 1000", "write 1 500 -> 200",
        "write 1 300 -> 300"},
       2500},
      {"the printer stops taking bytes", {1000, 600, 0}, {"write 1 1000 -> 1000", "write 1 1000 -> 600",
                                                          "write 1 900 -> 0"}, 1600},
      {"a call fails", {1000, std::nullopt}, {"write 1 1000 -> 1000", "write 1 1000 -> fail"}, std::nullopt},
  };
  for (const auto& row : rows) {
    FakeLinkDevices devices;
    devices.writeResults = row.script;
    const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(job.data()), job.size());
    EXPECT_EQ(WriteComPieces(devices, 1, bytes, 115200), row.result) << row.what;
    EXPECT_EQ(devices.Log(), row.writes) << row.what;
    // one stream, in order, nothing written twice
    const std::string received = devices.Received(1);
    EXPECT_EQ(received, job.substr(0, received.size())) << row.what;
    EXPECT_EQ(received.size(), row.result.value_or(1000)) << row.what;
  }
}

TEST(WriteComPieces, StopsBeforeThePieceAfterACancellation) {
  FakeLinkDevices devices;
  const std::string job(2500, 'j');
  int asked = 0;
  const auto written = WriteComPieces(devices, 1, std::span(reinterpret_cast<const std::uint8_t*>(job.data()), job.size()),
                                      115200, [&asked] { return ++asked > 1; });
  EXPECT_EQ(written, 1000u);
  EXPECT_EQ(devices.Log(), (Log{"write 1 1000 -> 1000"}));
}

TEST(OpenLptLink, OpensTheNameAndSetsTheTimeOuts) {
  FakeLinkDevices devices;
  EXPECT_EQ(OpenLptLink(devices, "LPT2"), 1);
  EXPECT_EQ(devices.Log(), (Log{"open LPT2 -> 1", "timeouts 1 0/20/20/1/2000"}));
}

TEST(OpenLptLink, APortThatRefusesTimeOutsIsStillUsed) {
  FakeLinkDevices devices;
  devices.refuseTimeouts = true;
  EXPECT_EQ(OpenLptLink(devices, "LPT1"), 1);
  EXPECT_EQ(devices.OpenDevices().count(1), 1u);
}

TEST(OpenLptLink, MissingPortGivesNoHandle) {
  FakeLinkDevices devices;
  devices.missingPaths = {"LPT3"};
  EXPECT_EQ(OpenLptLink(devices, "LPT3"), kNoDevice);
  EXPECT_EQ(devices.Log(), (Log{"open LPT3 -> fail"}));
}

TEST(OpenComLink, ConfiguresTimeOutsThenTheLine) {
  FakeLinkDevices devices;
  const ComOpenResult opened = OpenComLink(devices, "COM10", {19200, 7, 2, 2, true});
  EXPECT_EQ(opened.device, 1);
  EXPECT_EQ(opened.failure, ComOpenFailure::None);
  EXPECT_EQ(devices.Log(), (Log{"open \\\\.\\COM10 -> 1", "timeouts 1 0/20/20/2/10000", "line 1 19200 7 2 2 cts=1"}));
}

TEST(OpenComLink, APortThatIsMissingOrRefusesTheTimeOutsOrTheLineIsClosedAndSaysWhy) {
  const struct {
    bool missing;
    bool refuseTimeouts;
    bool refuseLine;
    ComOpenFailure failure;
  } rows[] = {
      {true, false, false, ComOpenFailure::Unusable},
      {false, true, false, ComOpenFailure::Unusable},
      {false, false, true, ComOpenFailure::LineRefused},
  };
  for (const auto& row : rows) {
    FakeLinkDevices devices;
    if (row.missing) devices.missingPaths = {"COM1"};
    devices.refuseTimeouts = row.refuseTimeouts;
    devices.refuseLine = row.refuseLine;
    const ComOpenResult opened = OpenComLink(devices, "COM1", {9600, 8, 0, 0, false});
    EXPECT_EQ(opened.device, kNoDevice);
    EXPECT_EQ(opened.failure, row.failure);
    EXPECT_TRUE(devices.OpenDevices().empty());
  }
}

TEST(OpenUsbPrinter, OpensTheFirstInterfaceWhoseFlagsAreExactlyOne) {
  FakeLinkDevices devices;
  devices.usbInterfaces = std::vector<UsbInterface>{{0, "\\\\?\\usb#a"}, {3, "\\\\?\\usb#b"}, {1, "\\\\?\\usb#c"},
                                                    {1, "\\\\?\\usb#d"}};
  EXPECT_EQ(OpenUsbPrinter(devices), 1);
  EXPECT_EQ(devices.Log(), (Log{"usb list", "open-write \\\\?\\usb#c -> 1"}));
}

TEST(OpenUsbPrinter, NoListNoInterfaceOrNoQualifyingOneGivesNoHandle) {
  FakeLinkDevices devices;
  devices.usbInterfaces = std::nullopt;
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  devices.usbInterfaces = std::vector<UsbInterface>{};
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  devices.usbInterfaces = std::vector<UsbInterface>{{2, "a"}, {0, "b"}};
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  EXPECT_EQ(devices.Log(), (Log{"usb list", "usb list", "usb list"}));
}

TEST(OpenUsbPrinter, AnUnreadableDetailStopsTheSearch) {
  FakeLinkDevices devices;
  devices.usbInterfaces = std::vector<UsbInterface>{{3, std::nullopt}, {1, std::nullopt}, {1, "later"}};
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  EXPECT_EQ(devices.Log(), (Log{"usb list"}));
}

TEST(OpenUsbPrinter, LooksAtTwentyInterfacesAtMost) {
  FakeLinkDevices devices;
  std::vector<UsbInterface> interfaces(20, UsbInterface{0, "inactive"});
  interfaces.push_back({1, "twenty-first"});
  devices.usbInterfaces = interfaces;
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  interfaces[19] = {1, "twentieth"};
  devices.usbInterfaces = interfaces;
  EXPECT_EQ(OpenUsbPrinter(devices), 1);
  EXPECT_EQ(devices.PathOf(1), "twentieth");
}

TEST(OpenUsbPrinter, AFailedOpenOfTheChosenInterfaceIsTheResult) {
  FakeLinkDevices devices;
  devices.usbInterfaces = std::vector<UsbInterface>{{1, "gone"}, {1, "other"}};
  devices.missingPaths = {"gone"};
  EXPECT_EQ(OpenUsbPrinter(devices), kNoDevice);
  EXPECT_EQ(devices.Log(), (Log{"usb list", "open-write gone -> fail"}));
}

}  // namespace
