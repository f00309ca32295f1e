// rkit against vprinter: every printing command's bytes reach the printer
// exactly and the dry run shows the same bytes; each link; codes read back
// from the receipt; the failures and their exit statuses.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <chrono>
#include <fstream>

#include "PrintBench.h"
#include "RunRkit.h"
#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;
using rkittest::HexLines;
using printbench::B;
using rkittest::RunRkit;

std::string Join(const std::vector<std::string>& buffers) {
  std::string all;
  for (const std::string& b : buffers) all += b;
  return all;
}

class RkitPrintTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run"; }
};

struct Sent {
  std::vector<std::string> command;  // after the link
  std::string input;                 // standard input
  std::vector<std::string> buffers;  // one per send, in order
};

const Sent kSent[] = {
    {{"print", "Hello", "world"}, "", {"Hello world\n"}},
    {{"print", "--hex", "1B 40 41 0A"}, "", {B({0x1B, 0x40, 0x41, 0x0A})}},
    {{"print"}, "from standard input", {"from standard input"}},
    {{"print", "Olá"}, "", {"Ol\xA0\n"}},
    {{"print", "--codepage", "936", "中"}, "", {"\xD6\xD0\n"}},
    {{"print", "--repeat", "2", "--cut", "ab"}, "", {"ab\n", "ab\n", B({0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00})}},
    {{"cut"}, "", {B({0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00})}},
    {{"drawer"}, "", {B({0x1B, 0x70, 0x00, 0x1E, 0xFF, 0x00})}},
    {{"selftest"}, "", {B({0x1F, 0x1B, 0x1F, 0x67})}},
    {{"qr", "hi", "--level", "M", "--size", "4"},
     "",
     {B({0x1B, 0x40, 0x0A, 0x1D, 0x28, 0x6B, 0x30, 0x67, 0x04}), B({0x1D, 0x28, 0x6B, 0x30, 0x69, 0x49}),
      B({0x1D, 0x28, 0x6B, 0x30, 0x80, 0x03, 0x00, 'h', 'i', 0x00}), B({0x1D, 0x28, 0x6B, 0x30, 0x81, 0x1B, 0x4A, 0xC8})}},
    {{"barcode", "code39", "0123", "--height", "50"},
     "",
     {B({0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x48, 0x00, 0x1D, 0x77, 0x03, 0x1D, 0x68, 0x32, 0x1D, 0x6B, 0x45, 0x04,
         '0', '1', '2', '3', '0', '1', '2', '3', 0x0A, 0x0A, 0x1B, 0x40, 0x00})}},
    {{"config", "density", "3"}, "", {B({0x1F, 0x1B, 0x1F, 0x13, 0x14, 0x03, 0x00, 0x00, 0x00, 0x00})}},
    {{"config", "width", "80mm"}, "", {B({0x1F, 0x1B, 0x1F, 0xE1, 0x13, 0x14, 0x02, 0x00, 0x00, 0x00, 0x00})}},
    {{"config", "baud", "115200"}, "", {B({0x1F, 0x1B, 0x1F, 0xBE, 0x03, 0x0A, 0x00})}},
    {{"config", "beeper", "off"}, "", {B({0x1F, 0x1B, 0x1F, 0x42, 0x65, 0x65, 0x70, 0x06, 0x0A, 0x00})}},
    {{"config", "dip", "5a"}, "", {B({0x1F, 0x1B, 0x1F, 0xBF, 0x5A, 0x00})}},
    {{"config", "blackmark-length", "100"}, "", {B({0x1F, 0x1B, 0x1F, 0x81, 0x04, 0x05, 0x06, 0x20, 0x03, 0x00})}},
    {{"config", "ip", "192.168.1.50"}, "", {B({0x1F, 0x1B, 0x1F, 0x22, 0xC0, 0xA8, 0x01, 0x32})}},
    {{"config", "sensitivity", "5", "24"},
     "",
     {B({0x1F, 0x1B, 0x1F, 0x83, 0x04, 0x05, 0x06, 0x30, 0x05}), B({0x1F, 0x1B, 0x1F, 0x83, 0x04, 0x05, 0x06, 0x31, 0x18})}},
    {{"config", "blackmark-cut", "20", "--printer-type", "rx8", "--direction", "reverse"},
     "",
     {B({0x1D, 0x28, 0x46, 0x04, 0x00, 0x02, 0x01, 0xA0, 0x00, 0x00})}},
    {{"config", "blackmark-cut", "20", "--mode", "alternative", "--max-length", "300"},
     "",
     {B({0x1D, 0x28, 0x46, 0x04, 0x00, 0x02, 0x00, 0x8E, 0x00, 0x00})}},
    {{"config", "blackmark-print", "40", "--printer-type", "pos58"},
     "",
     {B({0x1D, 0x28, 0x46, 0x04, 0x00, 0x01, 0x00, 0x40, 0x01, 0x00})}},
    {{"config", "blackmark-print", "40", "--printer-type", "pos76"},
     "",
     {B({0x1D, 0x28, 0x46, 0x04, 0x00, 0x01, 0x00, 0x00, 0x00, 0x00})}},
    {{"config", "at", "AT+SIP=0"}, "", {B({0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xAA, 0x22}) + "AT+SIP=0\""}},
};

TEST_F(RkitPrintTest, EachCommandsBytesReachThePrinterAndTheDryRunShowsThem) {
  for (const Sent& c : kSent) {
    const std::string name = c.command[0] + " " + (c.command.size() > 1 ? c.command[1] : "");
    VPrinterProcess printer({"--tcp", "127.0.0.71:0", "--no-render"});
    ASSERT_TRUE(printer.WaitReady());
    std::vector<std::string> args = {"--net", printer.Source().substr(4)};
    args.insert(args.end(), c.command.begin(), c.command.end());
    const auto sent = RunRkit(args, c.input);
    EXPECT_EQ(sent.status, 0) << name << ": " << sent.err;
    EXPECT_EQ(sent.err, "") << name;
    ASSERT_TRUE(printer.WaitJournal([](const Journal& j) { return j.back().kind == "close"; })) << name;
    EXPECT_EQ(printer.Bytes(1), Join(c.buffers)) << name;

    args.insert(args.begin(), "--dry-run");
    const auto dry = RunRkit(args, c.input);
    EXPECT_EQ(dry.status, 0) << name;
    EXPECT_EQ(dry.out, HexLines(c.buffers)) << name;
  }
}

TEST_F(RkitPrintTest, EveryLinkCarriesTheBytes) {
  const std::string cut = B({0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00});
  const std::string dir = MakeTempDir();
  VPrinterProcess printer({"--tcp", "127.0.0.72:0", "--pty", dir + "/tty", "--no-render"});
  ASSERT_TRUE(printer.WaitReady());
  // the serial link on vprinter's pty: the journal's second source
  EXPECT_EQ(RunRkit({"--serial", dir + "/tty:19200,cts", "cut"}).status, 0);
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return printer.Bytes(1) == cut; }));
  // USB and parallel device files take the bytes as written
  for (const std::string flag : {"--usb", "--lpt"}) {
    const std::string device = dir + "/device" + flag;
    std::ofstream(device).close();
    const auto outcome = RunRkit({flag, device, "selftest"});
    EXPECT_EQ(outcome.status, 0) << flag << outcome.err;
    EXPECT_EQ(ReadFile(device), B({0x1F, 0x1B, 0x1F, 0x67})) << flag;
  }
}

// A FIFO that nobody reads stands for a USB printer that stopped taking
// data: its 64 KiB fill, then the write waits the bench tool's 10 s and fails.
TEST_F(RkitPrintTest, AStalledUsbPrinterFailsTheSendAfterTheStallTime) {
  const std::string device = MakeTempDir() + "/stalled";
  ASSERT_EQ(mkfifo(device.c_str(), 0600), 0);
  const auto start = std::chrono::steady_clock::now();
  const auto outcome = RunRkit({"--usb", device, "print"}, std::string(100000, 'x'));
  const auto waited = std::chrono::steady_clock::now() - start;
  EXPECT_EQ(outcome.status, 4);
  EXPECT_EQ(outcome.err, "rkit: USB：send data failed!\n");
  EXPECT_GE(waited, std::chrono::seconds(10));
  EXPECT_LT(waited, std::chrono::seconds(15));
}

TEST_F(RkitPrintTest, CodesReadBackFromTheReceipt) {
  struct Case {
    std::vector<std::string> command;
    std::string symbol;  // what zbarimg reads
  };
  const Case cases[] = {
      {{"qr", "rkit reads back", "--level", "Q"}, "QR-Code:rkit reads back"},
      {{"barcode", "CODE128", "{BRKIT-42"}, "CODE-128:RKIT-42"},
      {{"barcode", "EAN(JAN)13", "590123412345"}, "EAN-13:5901234123457"},
  };
  for (const Case& c : cases) {
    VPrinterProcess printer({"--tcp", "127.0.0.73:0"});
    ASSERT_TRUE(printer.WaitReady());
    std::vector<std::string> args = {"--net", printer.Source().substr(4)};
    args.insert(args.end(), c.command.begin(), c.command.end());
    ASSERT_EQ(RunRkit(args).status, 0) << c.symbol;
    const std::string png = printer.dir() + "/receipt-1.png";
    ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return !ReadFile(png).empty(); })) << c.symbol;
    EXPECT_EQ(printbench::Zbar(printbench::ReadPng(png)), std::vector<std::string>{c.symbol});
  }
}

TEST_F(RkitPrintTest, FailuresSayWhyOnOneLineWithTheirExitStatus) {
  const std::string dir = MakeTempDir();
  std::ofstream(dir + "/plain").close();
  struct Case {
    std::vector<std::string> args;
    int status;
    std::string err;
  };
  const Case cases[] = {
      {{"cut"}, 2, "rkit: cut needs a link: --net, --serial, --usb or --lpt (rkit cut --help)\n"},
      {{"--net", "127.0.0.74", "feed"}, 2, "rkit: unknown command feed (rkit --help)\n"},
      {{"--net", "printer", "cut"}, 2, "rkit: --net wants HOST[:PORT] with a dotted IPv4 address, got 'printer' (rkit --help)\n"},
      {{"--net", "127.0.0.74", "cut", "--hex"}, 2, "rkit: cut takes no --hex (rkit cut --help)\n"},
      {{"--net", "127.0.0.74", "qr", "x", "--level", "X"}, 2, "rkit: --level is L, M, Q or H; --size 1 to 16 (rkit qr --help)\n"},
      {{"--net", "127.0.0.74", "config", "density", "9"}, 2, "rkit: density wants 1-8 (rkit config --help)\n"},
      {{"--net", "127.0.0.74", "config", "blackmark-cut", "20"}, 2,
       "rkit: blackmark-cut wants MM (0-1000) --printer-type pos58|pos76|rx8, or MM --mode alternative --max-length "
       "50-500 (rkit config --help)\n"},
      {{"--net", "127.0.0.74", "config", "density", "3", "--direction", "feed"}, 2,
       "rkit: density takes no --direction (rkit config --help)\n"},
      {{"--net", "127.0.0.74", "config", "at", "AT+SSID=\"x\""}, 1,
       "rkit: The AT command must not contain a double quote (\")!\n"},
      {{"--lpt", "/dev/lp9", "firmware", "f.fmw"}, 2,
       "rkit: the upgrade reads the printer's echoes: it needs --net, --serial or --usb (rkit firmware --help)\n"},
      {{"--net", "127.0.0.74", "print", "--hex", "1B zz"}, 1,
       "rkit: the hexadecimal text holds a character that is not a hex digit\n"},
      {{"--net", "127.0.0.74", "print", "--file", dir + "/missing"}, 1, "rkit: cannot read " + dir + "/missing\n"},
      {{"--net", "127.0.0.74:9", "cut"}, 3,
       "rkit: Network connection failed! If to confirm the current printer IP is correct, the cable interface connected, "
       "and restart the printer after the connection fails, you can try to increase timeout\n"},
      {{"--serial", dir + "/missing", "cut"}, 3, "rkit: " + dir + "/missing is invalid,Please re-select the serial port!\n"},
      {{"--serial", dir + "/plain", "cut"}, 3,
       "rkit: " + dir + "/plain refused the serial settings (byte size, parity, stop bits or baud rate),please change them in Com Settings!\n"},
      {{"--lpt", dir + "/missing", "cut"}, 3, "rkit: " + dir + "/missing is invalid,Please re-select the parallel port!\n"},
      {{"--usb", dir + "/missing", "cut"}, 3, "rkit: USB：Failed to open and re-plug the USB or power-on!\n"},
  };
  for (const Case& c : cases) {
    const auto outcome = RunRkit(c.args);
    EXPECT_EQ(outcome.status, c.status) << c.err;
    EXPECT_EQ(outcome.err, c.err);
    EXPECT_EQ(outcome.out, "") << c.err;
  }
}

TEST_F(RkitPrintTest, HelpForTheToolAndEachCommand) {
  const auto all = RunRkit({"--help"});
  EXPECT_EQ(all.status, 0);
  for (const char* command : {"print", "cut", "drawer", "selftest", "qr", "barcode", "config", "status", "discover",
                              "set-ip", "set-id", "firmware"}) {
    EXPECT_NE(all.out.find(std::string("\n  ") + command), std::string::npos) << command;
    const auto one = RunRkit({command, "--help"});
    EXPECT_EQ(one.status, 0) << command;
    EXPECT_EQ(one.out.rfind(std::string("usage: rkit LINK [--dry-run] ") + command, 0), 0u) << one.out;
  }
  EXPECT_NE(all.out.find("30 + N an upgrade step failed"), std::string::npos);
}

}  // namespace
