// vprinter as the network tools meet it: chosen, short and silent status
// replies changed while it runs, the address and identifier commands on the
// status port noted, and the UDP responder answering finds and taking saves.
#include <arpa/inet.h>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <fstream>

#include "PrintBench.h"
#include "support/VPrinterProcess.h"

namespace {

using namespace testsupport;
using printbench::B;

// "tcp:ADDR:PORT" or "udp:ADDR:PORT" as a socket address.
sockaddr_in AddressOf(const std::string& source) {
  const std::string endpoint = source.substr(4);
  const size_t colon = endpoint.rfind(':');
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(std::stoi(endpoint.substr(colon + 1))));
  inet_pton(AF_INET, endpoint.substr(0, colon).c_str(), &address.sin_addr);
  return address;
}

// What arrives within `waitMs` (the first read), "" when nothing does.
std::string ReadWithin(int fd, int waitMs) {
  pollfd readable{fd, POLLIN, 0};
  if (poll(&readable, 1, waitMs) <= 0) return "";
  char bytes[512];
  const ssize_t n = recv(fd, bytes, sizeof bytes, 0);
  return n > 0 ? std::string(bytes, static_cast<size_t>(n)) : "";
}

// A UDP socket of the test on 127.0.0.1 that talks to vprinter's responder.
class Datagrams {
 public:
  explicit Datagrams(const std::string& source) : to_(AddressOf(source)) {
    fd_ = socket(AF_INET, SOCK_DGRAM, 0);
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd_, reinterpret_cast<sockaddr*>(&local), sizeof local);
  }
  ~Datagrams() { close(fd_); }
  std::string Ask(const std::string& datagram, int waitMs = 2000) {
    sendto(fd_, datagram.data(), datagram.size(), 0, reinterpret_cast<const sockaddr*>(&to_), sizeof to_);
    return ReadWithin(fd_, waitMs);
  }

 private:
  sockaddr_in to_;
  int fd_ = -1;
};

class VPrinterNetToolsTest : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(InPrivateNetwork()) << "tests that open sockets run inside scripts/netns-run"; }
};

TEST_F(VPrinterNetToolsTest, StatusRepliesAreChosenShortenedOrSilencedWhileItRuns) {
  VPrinterProcess printer({"--tcp", "127.0.0.66:0", "--status", "127.0.0.66:0", "--status-reply", "08", "--no-render"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = ConnectTcp(printer.Source(1));
  ASSERT_GE(fd, 0);
  auto poll = [fd] {
    SendAll(fd, B({0x1B, 0x76, 0x00}));
    return ReadWithin(fd, 300);
  };
  EXPECT_EQ(poll(), B({0x08}));
  std::ofstream(printer.dir() + "/status-reply") << "silent\n";
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return poll().empty(); }));
  std::ofstream(printer.dir() + "/status-reply") << "14 00 0C\n";
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return poll() == B({0x14, 0x00, 0x0C}); }));
  // gone: the start-up answer again
  unlink((printer.dir() + "/status-reply").c_str());
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) { return poll() == B({0x08}); }));
  std::ofstream(printer.dir() + "/status-reply") << "nonsense\n";
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) {
    return ReadFile(printer.dir() + "/printer.log").find("status-reply file: not 'silent'") != std::string::npos;
  }));
  EXPECT_EQ(poll(), B({0x08}));
  close(fd);
}

TEST_F(VPrinterNetToolsTest, AddressAndIdentifierCommandsOnTheStatusPortAreNoted) {
  VPrinterProcess printer({"--tcp", "127.0.0.67:0", "--status", "127.0.0.67:0", "--no-render"});
  ASSERT_TRUE(printer.WaitReady());
  const int fd = ConnectTcp(printer.Source(1));
  ASSERT_GE(fd, 0);
  SendAll(fd, B({0x1F, 0x1B, 0x1F, 0x22, 192, 168, 1, 77, 0x1F, 0x1B, 0x1F, 0x33, 10, 11, 12, 13, 0x00}));
  close(fd);
  ASSERT_TRUE(printer.WaitJournal([&](const Journal&) {
    return ReadFile(printer.dir() + "/printer.log").find("identifier 10.11.12.13") != std::string::npos;
  }));
  const std::string log = ReadFile(printer.dir() + "/printer.log");
  EXPECT_NE(log.find("status port: configuration: IP address 192.168.1.77"), std::string::npos) << log;
  EXPECT_NE(log.find("status port: configuration: identifier 10.11.12.13"), std::string::npos) << log;
}

TEST_F(VPrinterNetToolsTest, TheResponderAnswersFindsAndTakesSavesForItsMac) {
  VPrinterProcess printer({"--no-render", "--tcp", "127.0.0.68:0", "--udp", "127.0.0.68:0", "--mac",
                           "02-00-5E-10-00-07", "--ip", "192.168.1.87", "--mask", "255.255.255.0", "--gateway",
                           "192.168.1.1", "--net-port", "80", "--dhcp"});
  ASSERT_TRUE(printer.WaitReady());
  ASSERT_EQ(printer.Source(1).rfind("udp:127.0.0.68:", 0), 0u);
  EXPECT_EQ(ReadFile(printer.dir() + "/discovery"),
            "mac 02-00-5E-10-00-07 ip 192.168.1.87 mask 255.255.255.0 gateway 192.168.1.1 port 80 dhcp 1\n");
  Datagrams udp(printer.Source(1));
  EXPECT_EQ(udp.Ask("LM0001FIND"),
            "LM0001FOUND" + B({0x02, 0x00, 0x5E, 0x10, 0x00, 0x07, 0x00, 0x00, 192,  168,  1,   87,
                               255,  255,  255,  0,    192,  168,  1,    1,    0x50, 0x00, 0x01}));
  EXPECT_EQ(udp.Ask("LM0001FINDER", 300), "");
  const std::string record = B({0x00, 0x00, 192, 168, 1, 120, 255, 255, 0, 0, 192, 168, 1, 254, 0x8C, 0x23, 0x00});
  EXPECT_EQ(udp.Ask("LM0001SAVE" + B({0x02, 0x00, 0x5E, 0x10, 0x00, 0x08}) + record, 300), "");
  EXPECT_EQ(udp.Ask("LM0001SAVE" + B({0x02, 0x00, 0x5E, 0x10, 0x00, 0x07}) + record, 300), "");
  EXPECT_EQ(ReadFile(printer.dir() + "/discovery"),
            "mac 02-00-5E-10-00-07 ip 192.168.1.120 mask 255.255.0.0 gateway 192.168.1.254 port 80 dhcp 0\n");
  EXPECT_EQ(udp.Ask("LM0001FIND").substr(19),
            B({192, 168, 1, 120, 255, 255, 0, 0, 192, 168, 1, 254, 0x50, 0x00, 0x00}));
  const std::string log = ReadFile(printer.dir() + "/printer.log");
  EXPECT_NE(log.find("for another printer ignored"), std::string::npos) << log;
}

TEST_F(VPrinterNetToolsTest, AnyAddressIsRefusedInTheTestNamespaceAndOptionsAreChecked) {
  const RunResult any = RunVPrinter({"--no-render", "--journal", MakeTempDir(), "--udp", "0.0.0.0:0"});
  EXPECT_EQ(any.status, 1);
  EXPECT_NE(any.output.find("network namespace of its own"), std::string::npos) << any.output;
  const struct {
    std::vector<std::string> arguments;
    const char* message;
  } bad[] = {
      {{"--udp", "10.0.0.1:9000"}, "--udp listens on loopback addresses only (127.x.x.x, or 0.0.0.0)"},
      {{"--mac", "02-00-5E"}, "--mac wants six hex bytes"},
      {{"--ip", "192.168.1"}, "--ip wants a dotted IPv4 address"},
      {{"--net-port", "0"}, "--net-port wants 1 to 65535"},
      {{"--status-reply", "0"}, "--status-reply wants 'silent' or 1 to 20 hex bytes"},
  };
  for (const auto& c : bad) {
    std::vector<std::string> arguments = {"--journal", MakeTempDir()};
    arguments.insert(arguments.end(), c.arguments.begin(), c.arguments.end());
    const RunResult result = RunVPrinter(arguments);
    EXPECT_EQ(result.status, 2) << c.message;
    EXPECT_NE(result.output.find(c.message), std::string::npos) << result.output;
  }
}

}  // namespace
