// rkit's link on the scripted devices: what it does when the printer or the
// network fails, and the pauses it takes on the clock it is handed.
#include <gtest/gtest.h>

#include "link/FakeLinkDevices.h"
#include "rkit/Link.h"

namespace {

using namespace rkit;
using linktest::FakeLinkDevices;

std::span<const std::uint8_t> Text(const std::string& text) {
  return {reinterpret_cast<const std::uint8_t*>(text.data()), text.size()};
}

struct Bench {
  FakeLinkDevices devices;
  std::vector<unsigned> pauses;
  kit::FunctionClock clock{[this](unsigned ms) { pauses.push_back(ms); }};
};

LinkChoice Net() {
  LinkChoice choice;
  choice.host = prtbench::MakeIpv4(127, 0, 0, 1);
  return choice;
}

TEST(RkitLink, BytesTheSocketTookAreNeverSentAgain) {
  Bench bench;
  bench.devices.sendResults = {3, prtbench::kWouldBlock};
  bench.devices.writableResults = {false};
  Link link(bench.devices, nullptr, bench.clock, Net());
  EXPECT_FALSE(link.Print(Text("ABCDEFG")));
  EXPECT_EQ(link.failure(), LinkFailure::Send);
  EXPECT_EQ(link.error(), "Network send data failed");
  EXPECT_EQ(bench.devices.Received(1), "ABC");
  EXPECT_EQ(bench.devices.Log(), (std::vector<std::string>{"connect 127.0.0.1:9100 1s -> connected 1", "send 1 7 -> 3",
                                                           "send 1 4 -> -2", "wait-writable 1 10000 -> 0", "close-socket 1"}));
}

TEST(RkitLink, ConnectRetriesPauseOnTheHandedClock) {
  Bench bench;
  using prtbench::AttemptResult;
  bench.devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  Link link(bench.devices, nullptr, bench.clock, Net());
  EXPECT_FALSE(link.Open());
  EXPECT_EQ(link.failure(), LinkFailure::Open);
  EXPECT_EQ(bench.pauses, (std::vector<unsigned>{500, 500}));
}

TEST(RkitLink, EachJobOnTcpHasItsOwnConnection) {
  Bench bench;
  Link link(bench.devices, nullptr, bench.clock, Net());
  EXPECT_TRUE(link.Print(Text("one")));
  link.EndJob();
  EXPECT_TRUE(link.Print(Text("two")));
  EXPECT_EQ(bench.devices.Received(1) + "|" + bench.devices.Received(2), "one|two");
  EXPECT_EQ(bench.devices.OpenSockets(), (std::set<prtbench::SocketHandle>{2}));
}

TEST(RkitLink, ASerialPortThatTakesNothingIsClosed) {
  Bench bench;
  bench.devices.writeResults = {0u};
  LinkChoice serial;
  serial.kind = LinkKind::Serial;
  serial.device = "COM3";
  Link link(bench.devices, nullptr, bench.clock, serial);
  EXPECT_FALSE(link.Print(Text("xyz")));
  EXPECT_EQ(link.failure(), LinkFailure::Send);
  EXPECT_EQ(link.error(), "COM3 send data failed!");
  EXPECT_TRUE(bench.devices.OpenDevices().empty());
}

TEST(RkitLink, AnExchangeReadsTheAnswerAndCloses) {
  Bench bench;
  bench.devices.receiveReplies = {std::string("\x14\x00\x00\x00", 4)};
  const auto answer = ExchangeOnPort(bench.devices, bench.clock, prtbench::MakeIpv4(127, 0, 0, 2), 4000, 2,
                                     Text("\x1B\x76"), 1000);
  ASSERT_TRUE(answer);
  EXPECT_EQ(*answer, (prtbench::Bytes{0x14, 0, 0, 0}));
  EXPECT_TRUE(bench.devices.OpenSockets().empty());
}

// Device reads that record what the link asks of them.
struct RecordedReads final : DeviceReads {
  std::vector<std::string> calls;
  std::optional<std::uint32_t> Read(prtbench::DeviceHandle device, std::span<std::uint8_t> buffer,
                                    unsigned milliseconds) override {
    calls.push_back("read " + std::to_string(device) + " " + std::to_string(buffer.size()) + " " +
                    std::to_string(milliseconds));
    buffer[0] = 0x42;
    return 1;
  }
  void DiscardInput(prtbench::DeviceHandle device) override { calls.push_back("discard " + std::to_string(device)); }
};

TEST(RkitLink, RepliesAreHeardOnTcpAndOnDevicesThatCanBeRead) {
  struct Case {
    LinkKind kind;
    bool reads;
    bool hears;
  };
  const Case cases[] = {
      {LinkKind::Net, false, true},    {LinkKind::Serial, true, true}, {LinkKind::Usb, true, true},
      {LinkKind::Lpt, true, false},    {LinkKind::Serial, false, false}, {LinkKind::Usb, false, false},
  };
  for (const Case& c : cases) {
    Bench bench;
    RecordedReads reads;
    LinkChoice choice = Net();
    choice.kind = c.kind;
    choice.device = "/dev/x";
    Link link(bench.devices, c.reads ? &reads : nullptr, bench.clock, choice);
    EXPECT_EQ(link.HearsReplies(), c.hears) << static_cast<int>(c.kind) << c.reads;
  }
}

TEST(RkitLink, ADeviceReplyIsReadOnTheOpenDeviceAfterItsStaleInputIsDropped) {
  Bench bench;
  RecordedReads reads;
  LinkChoice usb;
  usb.kind = LinkKind::Usb;
  usb.device = "/dev/usb/lp0";
  Link link(bench.devices, &reads, bench.clock, usb);
  std::uint8_t reply[4]{};
  EXPECT_EQ(link.Receive(reply, 3000), -1);  // not open yet
  ASSERT_TRUE(link.Open());
  link.DiscardInput();
  EXPECT_EQ(link.Receive(reply, 3000), 1);
  EXPECT_EQ(reply[0], 0x42);
  const std::string device = std::to_string(*bench.devices.OpenDevices().begin());
  EXPECT_EQ(reads.calls, (std::vector<std::string>{"discard " + device, "read " + device + " 4 3000"}));
}

}  // namespace
