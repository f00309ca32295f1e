// rkit's command line: links, conventions, the command and its options.
#include <gtest/gtest.h>

#include "rkit/Options.h"

namespace {

using namespace rkit;

ParseResult Parse(std::vector<std::string> args) { return ParseCommandLine(args); }

TEST(RkitOptions, Links) {
  struct Case {
    std::vector<std::string> args;
    LinkKind kind;
    std::string device;
    prtbench::Ipv4 host;
    std::uint16_t port;
    std::uint32_t baud;
    bool cts, xonXoff;
    int seconds;
  };
  const Case cases[] = {
      {{"--net", "10.0.0.7"}, LinkKind::Net, "", 0x0A000007, 9100, 9600, false, false, 1},
      {{"--net", "10.0.0.7:9101", "--timeout", "5"}, LinkKind::Net, "", 0x0A000007, 9101, 9600, false, false, 5},
      {{"--serial", "/dev/ttyUSB0"}, LinkKind::Serial, "/dev/ttyUSB0", 0, 9100, 9600, false, false, 1},
      {{"--serial", "COM3:115200,cts"}, LinkKind::Serial, "COM3", 0, 9100, 115200, true, false, 1},
      {{"--serial", "COM12:19200,xonxoff"}, LinkKind::Serial, "COM12", 0, 9100, 19200, false, true, 1},
      {{"--usb", "/dev/usb/lp0"}, LinkKind::Usb, "/dev/usb/lp0", 0, 9100, 9600, false, false, 1},
      {{"--lpt", "LPT1"}, LinkKind::Lpt, "LPT1", 0, 9100, 9600, false, false, 1},
  };
  for (const Case& c : cases) {
    const ParseResult r = Parse(c.args);
    ASSERT_TRUE(r.invocation && r.invocation->link) << c.args[1] << r.error;
    const LinkChoice& link = *r.invocation->link;
    EXPECT_EQ(link.kind, c.kind);
    EXPECT_EQ(link.device, c.device);
    EXPECT_EQ(link.host, c.host);
    EXPECT_EQ(link.port, c.port);
    EXPECT_EQ(link.line.baudRate, c.baud) << c.args[1];
    EXPECT_EQ(link.line.ctsFlow, c.cts);
    EXPECT_EQ(link.xonXoff, c.xonXoff);
    EXPECT_EQ(link.connectSeconds, c.seconds);
  }
}

TEST(RkitOptions, CommandWordsAndOptionsInAnyOrder) {
  const ParseResult r = Parse({"print", "--repeat", "3", "--net", "1.2.3.4", "a", "--cut", "--dry-run", "--", "--hex"});
  ASSERT_TRUE(r.invocation);
  EXPECT_EQ(r.invocation->command, "print");
  EXPECT_EQ(r.invocation->words, (std::vector<std::string>{"a", "--hex"}));
  EXPECT_EQ(r.invocation->options, (std::map<std::string, std::string>{{"--repeat", "3"}, {"--cut", ""}}));
  EXPECT_TRUE(r.invocation->dryRun);
  EXPECT_FALSE(r.invocation->json);
  EXPECT_EQ(Parse({"status", "--json", "--status-port", "4001"}).invocation->statusPort, 4001);
}

TEST(RkitOptions, UsageErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string error;
  };
  const Case cases[] = {
      {{"--net", "1.2.3.4", "--usb", "x", "cut"}, "give one link: --net, --serial, --usb or --lpt"},
      {{"--net", "1.2.3.4:0"}, "--net wants HOST[:PORT] with a dotted IPv4 address, got '1.2.3.4:0'"},
      {{"--serial", "COM1:fast"}, "--serial wants DEVICE[:BAUD[,FLOW]] with a baud rate like 9600, got 'COM1:fast'"},
      {{"--serial", "COM1:9600,rts"}, "--serial flow control is none, cts or xonxoff, got 'rts'"},
      {{"--timeout", "31"}, "--timeout wants 1 to 30 seconds"},
      {{"--status-port", "x"}, "--status-port wants 1 to 65535"},
      {{"print", "--repeat"}, "--repeat wants a value"},
      {{"print", "--bold"}, "unknown option --bold"},
      {{"--usb", ""}, "--usb wants a device or address"},
  };
  for (const Case& c : cases) {
    const ParseResult r = Parse(c.args);
    EXPECT_FALSE(r.invocation) << c.error;
    EXPECT_EQ(r.error, c.error);
  }
}

}  // namespace
