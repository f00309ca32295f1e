// rkit's status, firmware and address commands against vprinter: the decoded
// status word and its exit status under each condition, each upgrade fault's
// exit status, the address and identifier frames on the status port.
#include <gtest/gtest.h>

#include "../fwflash/FirmwareBuilder.h"
#include "RunRkit.h"
#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;
using rkittest::RunRkit;

class RkitNetworkTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run"; }
};

// "--net ADDR:PORT --status-port PORT" for a vprinter started with --tcp and --status.
std::vector<std::string> LinkTo(const VPrinterProcess& printer) {
  const std::string status = printer.Source(1);
  return {"--net", printer.Source(0).substr(4), "--status-port", status.substr(status.rfind(':') + 1)};
}

TEST_F(RkitNetworkTest, StatusShowsEachConditionWithItsExitStatus) {
  struct Case {
    std::vector<std::string> flags;
    std::string json;
    int status;
  };
  const Case cases[] = {
      {{}, R"({"word":"14000000","paperOut":false,"coverOpen":false,"drawerOpen":false,"online":true})", 0},
      {{"--paper-out"}, R"({"word":"1C000C00","paperOut":true,"coverOpen":false,"drawerOpen":false,"online":false})", 10},
      {{"--cover-open"}, R"({"word":"3C000000","paperOut":false,"coverOpen":true,"drawerOpen":false,"online":false})", 11},
      {{"--paper-out", "--cover-open"},
       R"({"word":"3C000C00","paperOut":true,"coverOpen":true,"drawerOpen":false,"online":false})", 10},
      {{"--drawer-open"}, R"({"word":"10000000","paperOut":false,"coverOpen":false,"drawerOpen":true,"online":true})", 0},
      {{"--offline"}, R"({"word":"1C000000","paperOut":false,"coverOpen":false,"drawerOpen":false,"online":false})", 12},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--tcp", "127.0.0.81:0", "--status", "127.0.0.81:0", "--no-render"};
    arguments.insert(arguments.end(), c.flags.begin(), c.flags.end());
    VPrinterProcess printer(arguments);
    ASSERT_TRUE(printer.WaitReady());
    std::vector<std::string> args = LinkTo(printer);
    args.insert(args.end(), {"status", "--json"});
    const auto outcome = RunRkit(args);
    EXPECT_EQ(outcome.status, c.status) << c.json;
    EXPECT_EQ(outcome.out, c.json + "\n");
    EXPECT_EQ(outcome.err, "");
  }
}

TEST_F(RkitNetworkTest, StatusInWordsAndWithoutAWord) {
  VPrinterProcess printer({"--tcp", "127.0.0.82:0", "--status", "127.0.0.82:0", "--no-render", "--drawer-open"});
  ASSERT_TRUE(printer.WaitReady());
  std::vector<std::string> args = LinkTo(printer);
  args.push_back("status");
  const auto words = RunRkit(args);
  EXPECT_EQ(words.status, 0);
  EXPECT_EQ(words.out, "word    10000000\npaper   present\ncover   closed\ndrawer  open\nonline  yes\n");

  VPrinterProcess silent({"--tcp", "127.0.0.83:0", "--status", "127.0.0.83:0", "--no-render", "--status-reply", "silent"});
  ASSERT_TRUE(silent.WaitReady());
  args = LinkTo(silent);
  args.push_back("status");
  const auto none = RunRkit(args);
  EXPECT_EQ(none.status, 5);
  EXPECT_EQ(none.err, "rkit: the status port gave no status word\n");
}

TEST_F(RkitNetworkTest, AddressAndIdentifierFramesGoToTheStatusPort) {
  struct Case {
    std::vector<std::string> command;
    std::string logged;  // what vprinter notes in printer.log
  };
  const Case cases[] = {
      {{"set-ip", "192.168.1.77"}, "status port: configuration: IP address 192.168.1.77"},
      {{"set-id", "1.2.3.4"}, "status port: configuration: identifier 1.2.3.4"},
  };
  for (const Case& c : cases) {
    VPrinterProcess printer({"--tcp", "127.0.0.84:0", "--status", "127.0.0.84:0", "--no-render"});
    ASSERT_TRUE(printer.WaitReady());
    std::vector<std::string> args = LinkTo(printer);
    args.insert(args.end(), c.command.begin(), c.command.end());
    const auto outcome = RunRkit(args);
    EXPECT_EQ(outcome.status, 0) << outcome.err;
    EXPECT_TRUE(printer.WaitJournal([&](const Journal&) {
      return ReadFile(printer.dir() + "/printer.log").find(c.logged) != std::string::npos;
    })) << c.logged;
  }
}

TEST_F(RkitNetworkTest, FirmwareUpgradesAndEachFaultHasItsExitStatus) {
  const std::string dir = MakeTempDir();
  const std::vector<uint8_t> file = fwtest::MakeFirmware(fwtest::Counting(5000, 7));
  fwtest::WriteBytes(dir + "/image.fmw", file);
  struct Case {
    std::string fault;  // vprinter's --fault; empty: none
    int status;
    std::string err;  // its last line
  };
  const Case cases[] = {
      {"", 0, "100%\n"},
      {"c1-echo", 32, "rkit: upgrade failed at step 2: the printer refused the announce (wrong echo)\n"},
      {"c1-silent", 31, "rkit: upgrade failed at step 1: the printer did not answer the announce\n"},
      {"c2-echo", 42, "rkit: upgrade failed at step 12: the printer refused the length (wrong echo)\n"},
      {"end-echo", 53, "rkit: upgrade failed at step 23: the printer received another checksum\n"},
      {"end-silent", 52, "rkit: upgrade failed at step 22: the printer did not answer the checksum\n"},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--tcp", "127.0.0.85:0", "--firmware"};
    if (!c.fault.empty()) arguments.insert(arguments.end(), {"--fault", c.fault});
    VPrinterProcess printer(arguments);
    ASSERT_TRUE(printer.WaitReady());
    const auto outcome = RunRkit({"--net", printer.Source().substr(4), "firmware", dir + "/image.fmw"});
    EXPECT_EQ(outcome.status, c.status) << c.fault;
    const size_t last = outcome.err.rfind('\n', outcome.err.size() - 2);
    EXPECT_EQ(outcome.err.substr(last == std::string::npos ? 0 : last + 1), c.err) << c.fault;
    if (c.fault.empty()) {
      EXPECT_EQ(outcome.err.substr(0, 9), "5%\n10%\n15");
      EXPECT_EQ(ReadFile(printer.dir() + "/firmware-1.fmw"), std::string(file.begin(), file.end()));
    }
  }
  fwtest::WriteBytes(dir + "/short.fmw", {'T', 'a', 'v', 0});
  const auto invalid = RunRkit({"--net", "127.0.0.85:9", "firmware", dir + "/short.fmw"});
  EXPECT_EQ(invalid.status, 1);
  EXPECT_EQ(invalid.err, "rkit: " + dir + "/short.fmw is not a valid firmware file\n");
}

// vprinter's pty stands for the printer's serial port and for its USB
// printer device, which Linux reads and writes alike.
TEST_F(RkitNetworkTest, FirmwareOverTheSerialAndUsbDevicesReadsTheirEchoes) {
  const std::string dir = MakeTempDir();
  const std::vector<uint8_t> file = fwtest::MakeFirmware(fwtest::Counting(5000, 3));
  fwtest::WriteBytes(dir + "/image.fmw", file);
  struct Case {
    std::string link;   // the link flag, its device the pty
    std::string speed;  // after the device
    std::string fault;  // vprinter's --fault; empty: none
    int status;
  };
  const Case cases[] = {
      {"--serial", ":115200", "", 0},
      {"--usb", "", "", 0},
      {"--serial", "", "c2-echo", 42},
      {"--usb", "", "end-silent", 52},
  };
  for (const Case& c : cases) {
    std::vector<std::string> arguments = {"--tcp", "127.0.0.86:0", "--pty", dir + "/tty", "--firmware"};
    if (!c.fault.empty()) arguments.insert(arguments.end(), {"--fault", c.fault});
    VPrinterProcess printer(arguments);
    ASSERT_TRUE(printer.WaitReady());
    const auto outcome = RunRkit({c.link, dir + "/tty" + c.speed, "firmware", dir + "/image.fmw"});
    EXPECT_EQ(outcome.status, c.status) << c.link << " " << c.fault << ": " << outcome.err;
    if (c.fault.empty()) {
      EXPECT_EQ(ReadFile(printer.dir() + "/firmware-1.fmw"), std::string(file.begin(), file.end())) << c.link;
    }
  }
}

}  // namespace
