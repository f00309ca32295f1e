// ConnectWithTimeout's attempts, pauses and neighbour flushes; socket slots.
#include "prtbench/link/Connect.h"

#include <gtest/gtest.h>

#include "FakeLinkDevices.h"
#include "common/Pause.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;
using Log = std::vector<std::string>;

constexpr Ipv4 kPrinter = MakeIpv4(127, 0, 0, 7);

class ConnectTest : public testing::Test {
 protected:
  ConnectTest() {
    devices.arpTable = std::vector<ArpRow>{{MakeIpv4(127, 0, 0, 1), 1}, {kPrinter, 12}, {kPrinter, 14}};
  }
  int Connect() { return ConnectWithTimeout(devices, clock, slot, kPrinter, kPrinterPort, {2, 0}); }

  FakeLinkDevices devices;
  SocketHandle slot = kNoSocket;
  std::vector<unsigned> paused;
  kit::FunctionClock clock{[this](unsigned ms) { paused.push_back(ms); }};
};

TEST_F(ConnectTest, FirstAttemptConnects) {
  EXPECT_EQ(Connect(), 1);
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.7:9100 2s -> connected 1"}));
  EXPECT_TRUE(paused.empty());
}

TEST_F(ConnectTest, ThreeTimeOutsGiveMinusThreeWithFlushesAndPausesBetween) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  EXPECT_EQ(Connect(), -3);
  EXPECT_EQ(slot, kNoSocket);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.7:9100 2s -> timed-out", "arp table", "flush 12", "flush 14",
                                "connect 127.0.0.7:9100 2s -> timed-out", "arp table", "flush 12", "flush 14",
                                "connect 127.0.0.7:9100 2s -> timed-out"}));
  EXPECT_EQ(paused, (std::vector<unsigned>{500, 500}));
}

TEST_F(ConnectTest, AFailedWaitOnTheThirdAttemptGivesMinusFour) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::WaitFailed};
  EXPECT_EQ(Connect(), -4);
  EXPECT_EQ(paused.size(), 2u);
}

TEST_F(ConnectTest, OnlyTheThirdAttemptDecidesBetweenMinusThreeAndMinusFour) {
  devices.attempts = {AttemptResult::WaitFailed, AttemptResult::WaitFailed, AttemptResult::TimedOut};
  EXPECT_EQ(Connect(), -3);
}

TEST_F(ConnectTest, NoSocketGivesMinusOneAtOnce) {
  devices.attempts = {AttemptResult::NoSocket};
  EXPECT_EQ(Connect(), -1);
  EXPECT_EQ(devices.Log().size(), 1u);
  EXPECT_TRUE(paused.empty());
  EXPECT_EQ(slot, kNoSocket);
}

TEST_F(ConnectTest, ARefusedOptionGivesMinusTwoAtOnce) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::OptionRefused};
  EXPECT_EQ(Connect(), -2);
  EXPECT_EQ(devices.Log().back(), "connect 127.0.0.7:9100 2s -> option-refused");
  EXPECT_EQ(paused, (std::vector<unsigned>{500}));
}

TEST_F(ConnectTest, ASecondAttemptThatConnectsEndsTheRetries) {
  devices.attempts = {AttemptResult::TimedOut};
  EXPECT_EQ(Connect(), 1);
  EXPECT_EQ(slot, 1);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.7:9100 2s -> timed-out", "arp table", "flush 12", "flush 14",
                                "connect 127.0.0.7:9100 2s -> connected 1"}));
}

TEST_F(ConnectTest, AStopEndsTheAttemptItsPrinterNeverAnswersAndNoOtherFollows) {
  EXPECT_EQ(ConnectWithTimeout(devices, clock, slot, kPrinter, kMonitorPort, {1, 0}, [] { return true; }), -3);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.7:4000 1s -> stopped"}));
  EXPECT_EQ(slot, kNoSocket);
}

TEST(WaitForConnect, WaitsInSlicesAskingTheStopBeforeEachOrOnceWithoutOne) {
  const struct {
    const char* name;
    ConnectTimeout timeout;
    bool withStop;
    int stopAfterAsks;  // the ask that answers true first; 0 never
    std::vector<int> answers;  // of the waits in turn; 0 once they run out
    std::vector<unsigned> waits;
    int result;
  } rows[] = {
      {"no stop: one wait", {1, 0}, false, 0, {}, {1000}, 0},
      {"no stop, ready", {2, 0}, false, 0, {1}, {2000}, 1},
      {"whole time in slices", {0, 50000}, true, 0, {}, {20, 20, 10}, 0},
      {"stopped at the third ask", {1, 0}, true, 3, {}, {20, 20}, 0},
      {"ready in the second slice", {1, 0}, true, 0, {0, 1}, {20, 20}, 1},
      {"failed wait", {1, 0}, true, 0, {-1}, {20}, -1},
  };
  for (const auto& row : rows) {
    int asks = 0;
    std::vector<unsigned> waits;
    const auto stop = [&] { return ++asks == row.stopAfterAsks; };
    const auto wait = [&](unsigned ms) {
      waits.push_back(ms);
      return waits.size() <= row.answers.size() ? row.answers[waits.size() - 1] : 0;
    };
    EXPECT_EQ(WaitForConnect(row.timeout, row.withStop ? std::function<bool()>(stop) : nullptr, wait), row.result)
        << row.name;
    EXPECT_EQ(waits, row.waits) << row.name;
  }
}

TEST(FlushArpForAddress, FlushesOnlyInterfacesWithARowForTheAddress) {
  FakeLinkDevices devices;
  devices.arpTable = std::vector<ArpRow>{{MakeIpv4(10, 0, 0, 1), 3}, {MakeIpv4(10, 0, 0, 2), 4}};
  FlushArpForAddress(devices, MakeIpv4(10, 0, 0, 2));
  EXPECT_EQ(devices.Log(), (Log{"arp table", "flush 4"}));
}

TEST(FlushArpForAddress, AnUnreadableTableFlushesNothing) {
  FakeLinkDevices devices;
  devices.arpTable = std::nullopt;
  FlushArpForAddress(devices, MakeIpv4(10, 0, 0, 2));
  EXPECT_EQ(devices.Log(), (Log{"arp table"}));
}

TEST(SocketSlot, CloseClosesOnceAndMarksTheSlotClosed) {
  FakeLinkDevices devices;
  kit::FunctionClock clock;
  SocketHandle slot = kNoSocket;
  ASSERT_EQ(ConnectWithTimeout(devices, clock, slot, kPrinter, kMonitorPort, {1, 0}), 1);
  EXPECT_EQ(CloseSocketSlot(devices, slot), 0);
  EXPECT_EQ(slot, kNoSocket);
  EXPECT_EQ(CloseSocketSlot(devices, slot), -1);
  EXPECT_TRUE(devices.OpenSockets().empty());
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.7:4000 1s -> connected 1", "close-socket 1"}));
}

TEST(SocketSlot, SendAndReceiveAreOneCallEachWithMinusOneForNotNow) {
  FakeLinkDevices devices;
  const std::uint8_t status[] = {0x1B, 0x76, 0x00};
  devices.sendResults = {2, kWouldBlock, kSocketError};
  EXPECT_EQ(SendOnSlot(devices, 5, status), 2);
  EXPECT_EQ(SendOnSlot(devices, 5, status), -1);
  EXPECT_EQ(SendOnSlot(devices, 5, status), -1);
  std::uint8_t buffer[4];
  EXPECT_EQ(ReceiveOnSlot(devices, 5, buffer), -1);
  EXPECT_EQ(devices.Log(), (Log{"send 5 3 -> 2", "send 5 3 -> -2", "send 5 3 -> -1", "receive 5 4 -> -2"}));
}

}  // namespace
