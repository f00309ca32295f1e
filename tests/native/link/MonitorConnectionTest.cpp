// The status monitor's connection beside the print link's socket: its own
// socket, what a receive gives, no outcome reported, and no wait for a print.
#include "prtbench/link/MonitorConnection.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <optional>
#include <thread>

#include "LinkFixture.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;

constexpr Ipv4 kPrinter = MakeIpv4(127, 0, 0, 9);
const std::string kStatusRequest("\x1B\x76\x00", 3);

using MonitorConnectionTest = linktest::LinkFixture;

TEST_F(MonitorConnectionTest, ConnectsOnItsOwnSocketBesideThePrintSocketAndSaysNothing) {
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
  ASSERT_EQ(link.SendData("x"), 1);  // print socket 1
  EXPECT_EQ(monitor.Connect(kPrinter, {1, 0}), 1);  // monitor socket 2
  ASSERT_EQ(link.SendData("y"), 1);  // print socket 3 replaces 1 only
  state.SetStatus("printed");
  EXPECT_TRUE(monitor.Send(std::span(reinterpret_cast<const std::uint8_t*>(kStatusRequest.data()), 3)));
  EXPECT_EQ(devices.Received(2), kStatusRequest);
  EXPECT_EQ(devices.Log()[2], "connect 127.0.0.9:4000 1s -> connected 2");
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{2, 3}));
  link.ClosePorts();  // closes the print socket, not the monitor's
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{2}));
  EXPECT_EQ(monitor.Connect(kPrinter, {1, 0}), 1);  // a reconnect closes the old one first
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{4}));
  monitor.Close();
  EXPECT_TRUE(devices.OpenSockets().empty());
  EXPECT_EQ(Status(), "printed");
}

TEST_F(MonitorConnectionTest, ReceiveGivesWhatArrivedWithinTheWait) {
  const struct {
    const char* what;
    std::deque<std::optional<std::string>> replies;
    int result;
    std::string buffer;  // the buffer after the call, which started as 8 bytes 0xEE
  } rows[] = {
      {"status word", {std::string("\x14\x00\x00\x00", 4)}, 4, std::string("\x14\x00\x00\x00\xEE\xEE\xEE\xEE", 8)},
      {"more than fits", {std::string(12, '\x08')}, 8, std::string(8, '\x08')},
      {"nothing in time", {}, 0, std::string(8, '\xEE')},
      {"printer closed", {std::string()}, 0, std::string(8, '\xEE')},
      {"receive failed", {std::nullopt}, -1, std::string(8, '\xEE')},
  };
  for (const auto& row : rows) {
    FakeLinkDevices fresh;
    MonitorConnection connection(fresh, clock);
    ASSERT_EQ(connection.Connect(kPrinter, {1, 0}), 1);
    fresh.receiveReplies = row.replies;
    std::string buffer(8, '\xEE');
    EXPECT_EQ(connection.Receive(std::span(reinterpret_cast<std::uint8_t*>(buffer.data()), 8), 100),
              row.result)
        << row.what;
    EXPECT_EQ(buffer, row.buffer) << row.what;
    EXPECT_EQ(fresh.Log()[1].substr(0, 22), "wait-readable 1 100 ->") << row.what;
  }
}

TEST_F(MonitorConnectionTest, WithoutConnectionSendsAndReadsNothing) {
  std::uint8_t buffer[20];
  const std::uint8_t request[] = {0x1B, 0x76, 0x00};
  EXPECT_FALSE(monitor.Send(request));
  EXPECT_EQ(monitor.Receive(buffer, 100), -1);
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  EXPECT_EQ(monitor.Connect(kPrinter, {1, 0}), -3);
  EXPECT_FALSE(monitor.Send(request));
  EXPECT_EQ(monitor.Receive(buffer, 100), -1);
  devices.sendResults = {kSocketError};
  ASSERT_EQ(monitor.Connect(kPrinter, {1, 0}), 1);
  EXPECT_FALSE(monitor.Send(request));
  EXPECT_EQ(Status(), "");
}

TEST_F(MonitorConnectionTest, NeverWaitsForAPrintInProgress) {
  // a print holds the send lock until the monitor has done a whole poll, or two seconds
  std::promise<void> polled;
  auto done = polled.get_future();
  std::atomic<bool> pollFinishedDuringPrint = false;
  devices.onWrite = [&] {
    pollFinishedDuringPrint = done.wait_for(std::chrono::seconds(2)) == std::future_status::ready;
  };
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortLpt; });
  std::thread printing([this] { link.SendData("long job"); });
  while (devices.Log().empty() || devices.Log().back().rfind("purge", 0) != 0) std::this_thread::yield();
  const std::uint8_t request[] = {0x1B, 0x76, 0x00};
  std::uint8_t buffer[20];
  EXPECT_EQ(monitor.Connect(kPrinter, {1, 0}), 1);
  EXPECT_TRUE(monitor.Send(request));
  EXPECT_EQ(monitor.Receive(buffer, 100), 0);
  monitor.Close();
  polled.set_value();
  printing.join();
  EXPECT_TRUE(pollFinishedDuringPrint);
}

TEST_F(MonitorConnectionTest, DestructionClosesTheConnection) {
  {
    MonitorConnection local(devices, clock);
    ASSERT_EQ(local.Connect(kPrinter, {1, 0}), 1);
  }
  EXPECT_TRUE(devices.OpenSockets().empty());
}

}  // namespace
