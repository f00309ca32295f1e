// The port layer's serial and TCP links against vprinter's firmware mode:
// exact bytes on the wire, the image it kept, every fault switch, and a
// serial printer that stops reading.
#include <gtest/gtest.h>
#include <winsock2.h>
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <future>
#include <utility>
#include <vector>

#include "common/Pause.h"
#include "fwflash/win/PortLayer.h"
#include "support/Unix.h"
#include "support/VPrinter.h"
#include "tests/native/fwflash/FirmwareBuilder.h"

namespace {

using fwflash::PortLayer;
using fwflash::PortSelection;
using fwflash::Transport;
using fwflash::UpgradeResult;
using testsupport::VPrinter;

class NoUsb : public fwflash::UsbDevices {
  std::optional<std::vector<fwflash::UsbInterface>> PresentInterfaces(size_t) override { return std::nullopt; }
  HANDLE Open(const std::wstring&, DWORD, DWORD) override { return INVALID_HANDLE_VALUE; }
};

// 127.0.77.<host>, first octet in the most significant byte.
uint32_t Loopback(int host) { return 0x7F004D00u | static_cast<uint32_t>(host); }
std::string LoopbackText(int host) { return "127.0.77." + std::to_string(host); }

std::string Text(const std::vector<uint8_t>& bytes) { return std::string(bytes.begin(), bytes.end()); }

class VPrinterLinkTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    WSADATA data;
    WSAStartup(MAKEWORD(1, 1), &data);
  }

  std::vector<uint8_t> file_ = fwtest::MakeFirmware(fwtest::Counting(20000, 11), 0x5C);

  UpgradeResult Upgrade(const PortSelection& selection) {
    auto image = fwflash::FirmwareImage::FromBytes(file_);
    EXPECT_TRUE(image);
    ports_.SetRunning();
    fwflash::SelectedPort port(ports_, selection);
    return fwflash::RunUpgrade(*image, port, [](int) {});
  }
  // The result of an upgrade over TCP against vprinter with `fault`.
  UpgradeResult NetFault(int host, const std::string& fault) {
    VPrinter printer("--tcp " + LoopbackText(host) + ":9100 --firmware --fault " + fault);
    EXPECT_TRUE(printer.ready()) << printer.Log();
    return Upgrade({Transport::Net, 0, 19200, Loopback(host)});
  }
  // C1, C2, C3 and the data, as the wire must carry them.
  std::string ExpectedWire() const {
    const std::string f = Text(file_);
    const std::string prefix("\x1F\x1B\x1F\x00\x00\x01\xF0", 7);
    return prefix + '\x00' + f.substr(0, 4) + prefix + '\x01' + f.substr(4, 4) + prefix + '\x02' + f.substr(8);
  }

  NoUsb usb_;
  kit::FunctionClock clock_;
  PortLayer ports_{usb_, clock_};
};

TEST_F(VPrinterLinkTest, NetLinksAreNumberedAndClosed) {
  VPrinter printer("--tcp " + LoopbackText(1) + ":9100 --firmware");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  EXPECT_EQ(ports_.NetOpen(Loopback(1)), 1);
  EXPECT_EQ(ports_.NetOpen(Loopback(1)), 2);
  const auto record = ports_.NetLink(0);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->address, Loopback(1));
  EXPECT_EQ(record->port, 9100);
  EXPECT_EQ(ports_.NetClose(1), 1);
  EXPECT_EQ(ports_.NetClose(2), -2);  // the second link is number 1 now
  EXPECT_EQ(ports_.NetClose(0), 1);
  EXPECT_EQ(ports_.NetClose(0), -2);
  EXPECT_TRUE(printer.WaitJournal([](const auto& events) { return VPrinter::Count(events, "close") == 2; }));
}

TEST_F(VPrinterLinkTest, RefusedNetConnectionIsAFailedConnectNotALink) {
  EXPECT_EQ(ports_.NetOpen(Loopback(99)), -4);
  EXPECT_EQ(ports_.NetLink(0), std::nullopt);
}

TEST_F(VPrinterLinkTest, UpgradeOverTcpPutsTheExactBytesOnTheWire) {
  VPrinter printer("--tcp " + LoopbackText(2) + ":9100 --firmware");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  EXPECT_EQ(Upgrade({Transport::Net, 0, 19200, Loopback(2)}), UpgradeResult::Success);
  EXPECT_TRUE(printer.WaitJournal([](const auto& events) { return VPrinter::Count(events, "close") == 1; }));
  EXPECT_EQ(printer.Bytes(1), ExpectedWire());
  EXPECT_EQ(testsupport::ReadFile(printer.dir() + "/firmware-1.fmw"), Text(file_));
  EXPECT_EQ(ports_.NetLink(0), std::nullopt);
}

TEST_F(VPrinterLinkTest, WrongEchoesOverTcpGiveTheirCodes) {
  EXPECT_EQ(NetFault(3, "c1-echo"), UpgradeResult::AnnounceBadEcho);
  EXPECT_EQ(NetFault(4, "c2-echo"), UpgradeResult::LengthBadEcho);
  EXPECT_EQ(NetFault(5, "end-echo"), UpgradeResult::DataBadChecksum);
}

TEST_F(VPrinterLinkTest, MissingRepliesOverTcpGiveTheirCodes) {
  EXPECT_EQ(NetFault(6, "c1-silent"), UpgradeResult::AnnounceNoReply);
  EXPECT_EQ(NetFault(7, "c2-silent"), UpgradeResult::LengthNoReply);
  EXPECT_EQ(NetFault(8, "end-silent"), UpgradeResult::DataNoReply);
}

TEST_F(VPrinterLinkTest, PrinterHangingUpDuringTheDataIs21) {
  file_ = fwtest::MakeFirmware(fwtest::Counting(8 << 20, 1));
  EXPECT_EQ(NetFault(9, "close-after:4096"), UpgradeResult::DataSendFailed);
}

TEST_F(VPrinterLinkTest, NoPrinterOverTcpIsMinusOne) {
  EXPECT_EQ(Upgrade({Transport::Net, 0, 19200, Loopback(98)}), UpgradeResult::OpenFailed);
}

// vprinter's pty as Wine's COM<port>.
class ComPrinter {
 public:
  ComPrinter(int port, const std::string& fault = "")
      : link_(testsupport::MakeTempDir() + "/pty"),
        // a free TCP port: its default listener on 9100 would collide with parallel tests
        printer_("--tcp 127.0.0.1:0 --pty " + testsupport::ShellQuote(link_) + " --firmware" +
                 (fault.empty() ? "" : " --fault " + fault)) {
    mapped_ = printer_.ready() && testsupport::MapComTo(port, link_);
  }
  bool ok() const { return mapped_; }
  VPrinter& printer() { return printer_; }
  std::string Speed() const {
    std::string speed = Stty("speed");
    while (!speed.empty() && (speed.back() == '\n' || speed.back() == '\r')) speed.pop_back();
    return speed;
  }
  // The line's settings as stty -a shows them, each word between spaces.
  std::string Settings() const {
    std::string settings = " " + Stty("-a") + " ";
    std::replace(settings.begin(), settings.end(), '\n', ' ');
    return settings;
  }

 private:
  std::string Stty(const std::string& argument) const {
    const std::string out = testsupport::MakeTempDir() + "/stty";
    testsupport::RunShell("stty -F " + testsupport::ShellQuote(link_) + " " + argument + " > " +
                          testsupport::ShellQuote(out));
    return testsupport::ReadFile(out);
  }

  std::string link_;
  VPrinter printer_;
  bool mapped_ = false;
};

TEST_F(VPrinterLinkTest, ComOpensAtTheChosenRateAndNamesItsLink) {
  ComPrinter com(12);
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  EXPECT_EQ(ports_.ComOpen(12, 38400), 1);
  EXPECT_EQ(com.Speed(), "38400");
  const auto record = ports_.ComLink(1);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->name, "COM12");
  EXPECT_TRUE(ports_.ComClose(1));
  EXPECT_FALSE(ports_.ComClose(1));
}

TEST_F(VPrinterLinkTest, ComBelowTenOpensUnderItsPlainName) {
  ComPrinter com(4);
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  EXPECT_EQ(ports_.ComOpen(4, 9600), 1);
  EXPECT_EQ(com.Speed(), "9600");
  EXPECT_EQ(ports_.ComLink(0)->name, "COM4");
  EXPECT_TRUE(ports_.ComClose(0));
}

TEST_F(VPrinterLinkTest, ComOpensWithTheChosenFlowControl) {
  ComPrinter com(21);
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  const std::pair<fwflash::ComFlow, std::vector<std::string>> cases[] = {
      {fwflash::ComFlow::None, {"-crtscts", "-ixon", "-ixoff"}},
      {fwflash::ComFlow::Cts, {"crtscts", "-ixon", "-ixoff"}},
      {fwflash::ComFlow::XonXoff, {"-crtscts", "ixon", "ixoff"}},
  };
  for (const auto& [flow, words] : cases) {
    ASSERT_EQ(ports_.ComOpen(21, 19200, flow), 1);
    const std::string settings = com.Settings();
    for (const std::string& word : words) EXPECT_NE(settings.find(" " + word + " "), std::string::npos) << word;
    EXPECT_TRUE(ports_.ComClose(1));
  }
}

TEST_F(VPrinterLinkTest, UnmappedComPortDoesNotOpen) { EXPECT_EQ(ports_.ComOpen(19, 19200), -1); }

TEST_F(VPrinterLinkTest, UpgradeOverComPutsTheExactBytesOnTheLine) {
  ComPrinter com(13);
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  EXPECT_EQ(Upgrade({Transport::Com, 12, 115200, 0}), UpgradeResult::Success);
  EXPECT_EQ(com.printer().Bytes(1), ExpectedWire());
  EXPECT_EQ(testsupport::ReadFile(com.printer().dir() + "/firmware-1.fmw"), Text(file_));
  EXPECT_EQ(ports_.ComLink(0), std::nullopt);
}

TEST_F(VPrinterLinkTest, LargeUpgradeOverComLosesNoChunk) {
  // many chunks written back to back: none may be thrown away on the way out
  file_ = fwtest::MakeFirmware(fwtest::Counting(600000, 2));
  ComPrinter com(14);
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  EXPECT_EQ(Upgrade({Transport::Com, 13, 115200, 0}), UpgradeResult::Success);
  EXPECT_EQ(testsupport::ReadFile(com.printer().dir() + "/firmware-1.fmw"), Text(file_));
}

TEST_F(VPrinterLinkTest, WrongLengthEchoOverComIs12) {
  ComPrinter com(15, "c2-echo");
  ASSERT_TRUE(com.ok()) << com.printer().Log();
  EXPECT_EQ(Upgrade({Transport::Com, 14, 19200, 0}), UpgradeResult::LengthBadEcho);
}

TEST_F(VPrinterLinkTest, ShortComReplyKeepsTheEarlierBytesOfTheReplyBuffer) {
  const std::string peer = testsupport::MapComPort(17);
  ASSERT_FALSE(peer.empty());
  ASSERT_TRUE(ports_.ConnectSelectedPort({Transport::Com, 16, 19200, 0}));
  ASSERT_EQ(testsupport::RunShell("printf 'xy' > " + testsupport::ShellQuote(peer)), 0);
  fwflash::Reply reply{1, 2, 3, 4};
  EXPECT_TRUE(ports_.ReceiveReply(reply));  // two bytes after the 3 s time-out still count
  EXPECT_EQ(reply, (fwflash::Reply{'x', 'y', 3, 4}));
  ports_.CloseSelectedPort();
}

TEST_F(VPrinterLinkTest, AComWriteThePrinterStopsTakingFailsAfterTheStallLimit) {
  // nobody reads the pty's other end: once its buffers fill, the writes stall
  ASSERT_FALSE(testsupport::MapComPort(22).empty());
  ports_.SetStalledWriteMs(300);
  ASSERT_TRUE(ports_.ConnectSelectedPort({Transport::Com, 21, 115200, 0}));
  const std::vector<uint8_t> chunk(fwflash::kChunkSize, 0x55);
  auto chunksTaken = std::async(std::launch::async, [&] {
    int taken = 0;
    while (taken < 1000 && ports_.SendBytes(chunk)) ++taken;
    return taken;
  });
  ASSERT_EQ(chunksTaken.wait_for(std::chrono::seconds(20)), std::future_status::ready);
  EXPECT_LT(chunksTaken.get(), 1000);
  ports_.CloseSelectedPort();
}

}  // namespace
