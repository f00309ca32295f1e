// The monitor thread against the link's scripted devices: what goes on the
// wire, the lamps it reports, its waits, the five-miss rule, reconnects,
// stopping and restarting with one thread.
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

#include "FakeLinkDevices.h"
#include "common/Pause.h"
#include "prtbench/nettools/NetMonitor.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;

constexpr Ipv4 kPrinter = MakeIpv4(127, 0, 0, 31);
const std::string kRequest("\x1B\x76\x00", 3);

std::string Letters(const Lamps& lamps) {
  std::string text;
  for (LampColour colour : lamps) text += colour == LampColour::Red ? 'R' : colour == LampColour::Green ? 'G' : 'B';
  return text;
}

class NetMonitorTest : public testing::Test {
 protected:
  NetMonitorTest() { shared.language = Language::English; }
  ~NetMonitorTest() override { monitor.Shutdown(); }

  // Starts the monitor on kPrinter (after the test scripted the devices) and
  // runs it until `stopWhen` holds at one of its pauses; then stops it and
  // waits for the thread.
  void RunUntil(std::function<bool(const std::vector<unsigned>&)> stopWhen) {
    {
      std::lock_guard lock(mutex);
      stopWhen_ = std::move(stopWhen);
    }
    monitor.Start(kPrinter);
    std::unique_lock lock(mutex);
    if (!done_.wait_for(lock, std::chrono::seconds(20), [this] { return stopped_; })) {
      ADD_FAILURE() << "the monitor never reached the stop condition; pauses: " << paused.size();
      stopped_ = true;
    }
    lock.unlock();
    monitor.Shutdown();
  }
  // The connections the monitor made, in order ("connect ..." lines).
  std::vector<std::string> Connects() const {
    std::vector<std::string> connects;
    for (const auto& line : devices.Log()) {
      if (line.rfind("connect ", 0) == 0) connects.push_back(line);
    }
    return connects;
  }

  FakeLinkDevices devices;
  SharedState shared;
  PrinterLink link{devices, shared};
  std::mutex mutex;
  std::vector<unsigned> paused;
  std::vector<std::string> history;  // the lamps at each report
  std::vector<Msg> messages;
  bool stopped_ = false;

 private:
  void OnPause(unsigned ms) {
    std::unique_lock lock(mutex);
    if (stopped_) return;
    paused.push_back(ms);
    if (!stopWhen_(paused)) return;
    stopped_ = true;
    lock.unlock();
    monitor.Stop();
    done_.notify_all();
  }

  std::condition_variable done_;
  std::function<bool(const std::vector<unsigned>&)> stopWhen_;
  // the link's connect retries still pause through the process-wide seam
  kit::ScopedPauseOverride linkPauses_{[this](unsigned ms) { OnPause(ms); }};
  kit::FunctionClock clock_{[this](unsigned ms) { OnPause(ms); }};

 public:
  NetMonitor monitor{link, clock_,
                     {[this] {
                        std::lock_guard lock(mutex);
                        history.push_back(Letters(monitor.lamps()));
                      },
                      [this](Msg message) {
                        std::lock_guard lock(mutex);
                        messages.push_back(message);
                      }}};
};

auto AfterPauses(size_t count) {
  return [count](const std::vector<unsigned>& paused) { return paused.size() >= count; };
}

TEST_F(NetMonitorTest, PollsWithTheRequestAndShowsEachReplysLamps) {
  devices.receiveReplies = {std::string("\x14\x00\x00\x00", 4), std::string("\x08", 1),
                            std::string("\x00\x00\x00\x00", 4), std::string("\x14\x00\x0C\x00", 4)};
  RunUntil(AfterPauses(8));
  EXPECT_EQ(Connects(), (std::vector<std::string>{"connect 127.0.0.31:4000 1s -> connected 1"}));
  EXPECT_EQ(devices.Received(1), kRequest + kRequest + kRequest + kRequest);
  EXPECT_EQ(paused, (std::vector<unsigned>{100, 100, 100, 100, 100, 100, 100, 100}));
  EXPECT_EQ(history, (std::vector<std::string>{
                         "BBBBBBBBBG",  // trying to connect
                         "GGGGGGGGGG",  // connected; 14 00 00 00 changes nothing
                         "GGGGRGGGGR",  // 08: offline, drawer bit clear
                         // 00 00 00 00 is not stored: the lamps stay
                         "GGGGGGGGRG",  // 14 00 0C 00: no paper
                         "BBBBBBBBBB",  // stopped
                     }));
  EXPECT_EQ(messages, (std::vector<Msg>{Msg::MonitorConnected, Msg::MonitorQuit}));
  EXPECT_EQ(monitor.statusWord(), 0u);
  EXPECT_TRUE(devices.OpenSockets().empty());
  EXPECT_FALSE(monitor.threadRunning());
}

TEST_F(NetMonitorTest, FiveSilentPollsCloseTheConnectionAndReconnect) {
  devices.receiveReplies = {std::string("\x14\x00\x0C\x00", 4), std::string(), std::nullopt};
  // one reply, then five misses (a close and an error among them), then a new connection
  RunUntil([](const std::vector<unsigned>& paused) { return paused.size() >= 12; });
  EXPECT_EQ(paused, (std::vector<unsigned>{100, 100, 100, 200, 100, 200, 100, 200, 100, 200, 100, 100}));
  const std::vector<std::string> connects = Connects();
  ASSERT_EQ(connects.size(), 2u);
  EXPECT_EQ(connects[1], "connect 127.0.0.31:4000 1s -> connected 2");
  const auto log = devices.Log();
  EXPECT_NE(std::find(log.begin(), log.end(), "close-socket 1"), log.end());
  EXPECT_EQ(devices.Received(1), kRequest + kRequest + kRequest + kRequest + kRequest + kRequest);
  EXPECT_EQ(history, (std::vector<std::string>{"BBBBBBBBBG", "GGGGGGGGGG", "GGGGGGGGRG",
                                               "BBBBBBBBBR",  // given up on
                                               "BBBBBBBBBG", "GGGGGGGGGG", "BBBBBBBBBB"}));
  EXPECT_EQ(messages, (std::vector<Msg>{Msg::MonitorConnected, Msg::MonitorConnected, Msg::MonitorQuit}));
}

TEST_F(NetMonitorTest, AFailedSendReconnectsWithTheOnlineLampRed) {
  devices.receiveReplies = {std::string("\x1C", 1)};
  devices.sendResults = {3, -1};
  RunUntil(AfterPauses(3));
  EXPECT_EQ(Connects().size(), 2u);
  // the failed send shows all green with online red, as the last reply did
  EXPECT_EQ(history, (std::vector<std::string>{"BBBBBBBBBG", "GGGGGGGGGG", "GGGGGGGGGR", "GGGGGGGGGG", "BBBBBBBBBB"}));
  EXPECT_EQ(devices.Received(1), kRequest);
}

TEST_F(NetMonitorTest, AnUnreachablePrinterIsRetriedEverySecondWithTheLampsBlack) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  RunUntil(AfterPauses(3));
  EXPECT_EQ(paused, (std::vector<unsigned>{500, 500, 1000}));
  EXPECT_EQ(Connects().size(), 3u);
  EXPECT_EQ(history, (std::vector<std::string>{"BBBBBBBBBG", "BBBBBBBBBB"}));
  EXPECT_EQ(messages, (std::vector<Msg>{Msg::MonitorQuit}));
}

TEST_F(NetMonitorTest, AStopDuringTheConnectRetriesMakesNoFurtherAttempt) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  RunUntil(AfterPauses(1));  // stopped in the pause after the first attempt
  EXPECT_EQ(paused, std::vector<unsigned>{500});
  EXPECT_EQ(Connects().size(), 1u);
  EXPECT_EQ(messages, (std::vector<Msg>{Msg::MonitorQuit}));
}

TEST_F(NetMonitorTest, StartWhileTheThreadRunsKeepsOneThreadOnTheNewAddress) {
  devices.receiveReplies = {std::string("\x14", 1)};
  // a second Start while polling: same thread, next connect to the new address
  RunUntil([this](const std::vector<unsigned>& paused) {
    if (paused.size() == 2) {
      monitor.Start(MakeIpv4(127, 0, 0, 32));
      EXPECT_TRUE(monitor.threadRunning());
    }
    return paused.size() >= 13;  // five misses later it reconnects to the new address
  });
  const std::vector<std::string> connects = Connects();
  ASSERT_EQ(connects.size(), 2u);
  EXPECT_EQ(connects[1], "connect 127.0.0.32:4000 1s -> connected 2");
  EXPECT_EQ(messages, (std::vector<Msg>{Msg::MonitorConnected, Msg::MonitorConnected, Msg::MonitorQuit}));
}

TEST_F(NetMonitorTest, AStartAfterTheThreadEndedStartsAnother) {
  devices.receiveReplies = {std::string("\x14", 1)};
  RunUntil(AfterPauses(2));
  EXPECT_FALSE(monitor.threadRunning());
  EXPECT_FALSE(monitor.running());
  EXPECT_EQ(Letters(monitor.lamps()), "BBBBBBBBBB");
  EXPECT_TRUE(devices.OpenSockets().empty());
  monitor.Start(kPrinter);
  EXPECT_TRUE(monitor.threadRunning());
  for (int i = 0; i < 500 && Connects().size() < 2; ++i) std::this_thread::sleep_for(std::chrono::milliseconds(10));
  EXPECT_GE(Connects().size(), 2u);
  monitor.Shutdown();
  EXPECT_FALSE(monitor.threadRunning());
  EXPECT_TRUE(devices.OpenSockets().empty());
}

}  // namespace
