// The network tools' operations on the shared socket (connect and keep, send
// on another port) and the status monitor's connection beside it: addresses,
// time-outs, status texts, what the printer gets, which socket is left open,
// and which lock each takes.
#include <gtest/gtest.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <deque>
#include <future>
#include <thread>

#include "LinkFixture.h"
#include "prtbench/link/PrinterLink.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;
using Log = std::vector<std::string>;

constexpr Ipv4 kPrinter = MakeIpv4(127, 0, 0, 9);
const std::string kNetConnectFailed =
    "Network connection failed! If to confirm the current printer IP is correct, the cable interface connected, and "
    "restart the printer after the connection fails, you can try to increase timeout";
const std::string kNewId("\x1F\x1B\x1F\x33\x0A\x0B\x0C\x0D\x00", 9);
const std::string kStatusRequest("\x1B\x76\x00", 3);

class SharedSocketTest : public linktest::LinkFixture {
 protected:
  SharedSocketTest() {
    shared.language = Language::English;
    link.UpdateSettings([](ConnectionSettings& s) {
      s.com.timeoutSeconds = 5;
      s.printerIp = MakeIpv4(127, 0, 0, 3);
      s.com.monitorIp = MakeIpv4(127, 0, 0, 4);
    });
  }
};

TEST_F(SharedSocketTest, PrinterIpIsWhatTheNextNetOpenWouldUse) {
  EXPECT_EQ(link.PrinterIp(), MakeIpv4(127, 0, 0, 3));
  Ipv4 box = MakeIpv4(127, 0, 0, 8);
  link.SetPrinterIpSource([&box] { return box; });
  EXPECT_EQ(link.PrinterIp(), MakeIpv4(127, 0, 0, 8));
  box = MakeIpv4(127, 0, 0, 6);
  EXPECT_EQ(link.PrinterIp(), MakeIpv4(127, 0, 0, 6));
  EXPECT_TRUE(devices.Log().empty());
}

TEST_F(SharedSocketTest, ConnectAndKeepLeavesTheSharedSocketConnectedAndSaysHowItWent) {
  const struct {
    Language language;
    std::deque<AttemptResult> attempts;
    int result;
    const char* status;
  } rows[] = {
      {Language::English, {}, 1, "Connection successful"},
      {Language::Chinese, {}, 1, "连接成功"},
      {Language::English, {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut}, -3,
       "Connection fails"},
      {Language::Chinese, {AttemptResult::NoSocket}, -1, "连接失败"},
  };
  for (const auto& row : rows) {
    FakeLinkDevices fresh;
    PrinterLink tools(fresh, shared);
    tools.UpdateSettings([](ConnectionSettings& s) { s.com.timeoutSeconds = 5; });
    shared.language = row.language;
    ASSERT_EQ(tools.ConnectAndKeep(kPrinter, kPrinterPort), 1);  // an earlier test's socket
    fresh.attempts = row.attempts;
    EXPECT_EQ(tools.ConnectAndKeep(kPrinter, kMonitorPort), row.result) << row.status;
    EXPECT_EQ(Status(), row.status);
    EXPECT_EQ(fresh.Log()[1], "close-socket 1") << row.status;  // the one before goes first
    EXPECT_EQ(fresh.Log()[2].rfind("connect 127.0.0.9:4000 5s -> ", 0), 0u) << row.status;
    EXPECT_EQ(tools.IsOpen(kPortNet), row.result == 1) << row.status;
    EXPECT_EQ(fresh.OpenSockets().size(), row.result == 1 ? 1u : 0u) << row.status;
  }
}

TEST_F(SharedSocketTest, ConnectAndKeepChangesNoSettingAndTheNextNetSendReplacesTheSocket) {
  ASSERT_EQ(link.ConnectAndKeep(kPrinter, kPrinterPort), 1);
  EXPECT_EQ(link.Settings().printerIp, MakeIpv4(127, 0, 0, 3));
  EXPECT_EQ(link.Settings().com.monitorIp, MakeIpv4(127, 0, 0, 4));
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
  EXPECT_EQ(link.SendData("x"), 1);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.9:9100 5s -> connected 1", "close-socket 1",
                                "connect 127.0.0.3:9100 5s -> connected 2", "send 2 1 -> 1"}));
}

TEST_F(SharedSocketTest, SendOnPortSendsOnceOnAFreshConnectionClosesItAndSaysHowItWent) {
  const struct {
    const char* what;
    Language language;
    std::deque<AttemptResult> attempts;
    std::deque<int> sends;
    int result;
    std::string status;
    std::string received;
  } rows[] = {
      {"sent", Language::English, {}, {}, 1, "Network send data successfully", kNewId},
      {"sent, Chinese", Language::Chinese, {}, {}, 1, "NET:发送数据成功!", kNewId},
      {"no connection", Language::English,
       {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::WaitFailed}, {}, -4, kNetConnectFailed, ""},
      {"refused at once: never sent twice", Language::English, {}, {kSocketError}, 0, "Network send data failed", ""},
      {"hung up after four bytes", Language::Chinese, {}, {4, kSocketError}, 0, "NET:发送数据失败",
       kNewId.substr(0, 4)},
  };
  for (const auto& row : rows) {
    FakeLinkDevices fresh;
    PrinterLink tools(fresh, shared);
    shared.language = row.language;
    shared.totalBytes.Reset();
    shared.totalBytes.Add(5);
    fresh.attempts = row.attempts;
    fresh.sendResults = row.sends;
    paused.clear();
    EXPECT_EQ(tools.SendOnPort(kPrinter, kMonitorPort, kNewId), row.result) << row.what;
    EXPECT_EQ(Status(), row.status) << row.what;
    EXPECT_EQ(fresh.Received(1), row.received) << row.what;
    const Log log = fresh.Log();
    EXPECT_EQ(log[0].rfind("connect 127.0.0.9:4000 1s -> ", 0), 0u) << row.what;
    const auto connects =
        std::count_if(log.begin(), log.end(), [](const std::string& e) { return e.rfind("connect", 0) == 0; });
    EXPECT_EQ(connects, row.result == -4 ? 3 : 1) << row.what;
    EXPECT_TRUE(fresh.OpenSockets().empty()) << row.what;
    EXPECT_FALSE(tools.IsOpen(kPortNet)) << row.what;
    EXPECT_EQ(shared.totalBytes.Get(), 5) << row.what;  // the counter counts print data only
    EXPECT_EQ(paused.size(), row.result == -4 ? 2u : 0u) << row.what;  // the connect's own retries only
  }
}

TEST_F(SharedSocketTest, ToolsCallTheBusyHookAndRunUnderTheSendLock) {
  int busy = 0;
  link.SetBusyHook([&] { ++busy; });
  link.ConnectAndKeep(kPrinter, kPrinterPort);
  link.SendOnPort(kPrinter, kMonitorPort, kNewId);
  EXPECT_EQ(busy, 2);

  devices.slowWrites = true;
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortCom; });
  std::thread printing([this] {
    for (int i = 0; i < 30; ++i) link.SendData("abc");
  });
  for (int i = 0; i < 30; ++i) {
    link.ConnectAndKeep(kPrinter, kPrinterPort);
    link.SendOnPort(kPrinter, kMonitorPort, kNewId);
  }
  printing.join();
  EXPECT_EQ(devices.overlappingCalls(), 0);
}

// --- the status monitor ---

TEST_F(SharedSocketTest, MonitorConnectsOnItsOwnSocketBesideThePrintSocketAndSaysNothing) {
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
  ASSERT_EQ(link.SendData("x"), 1);  // print socket 1
  EXPECT_EQ(link.ConnectMonitor(kPrinter, {1, 0}), 1);  // monitor socket 2
  ASSERT_EQ(link.SendData("y"), 1);  // print socket 3 replaces 1 only
  shared.status.Set("printed");
  EXPECT_TRUE(link.SendToMonitor(std::span(reinterpret_cast<const std::uint8_t*>(kStatusRequest.data()), 3)));
  EXPECT_EQ(devices.Received(2), kStatusRequest);
  EXPECT_EQ(devices.Log()[2], "connect 127.0.0.9:4000 1s -> connected 2");
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{2, 3}));
  link.ClosePorts();  // closes the print socket, not the monitor's
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{2}));
  EXPECT_EQ(link.ConnectMonitor(kPrinter, {1, 0}), 1);  // a reconnect closes the old one first
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{4}));
  link.CloseMonitor();
  EXPECT_TRUE(devices.OpenSockets().empty());
  EXPECT_EQ(Status(), "printed");
}

TEST_F(SharedSocketTest, MonitorReceiveGivesWhatArrivedWithinTheWait) {
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
    PrinterLink monitor(fresh, shared);
    ASSERT_EQ(monitor.ConnectMonitor(kPrinter, {1, 0}), 1);
    fresh.receiveReplies = row.replies;
    std::string buffer(8, '\xEE');
    EXPECT_EQ(monitor.ReceiveFromMonitor(std::span(reinterpret_cast<std::uint8_t*>(buffer.data()), 8), 100),
              row.result)
        << row.what;
    EXPECT_EQ(buffer, row.buffer) << row.what;
    EXPECT_EQ(fresh.Log()[1].substr(0, 22), "wait-readable 1 100 ->") << row.what;
  }
}

TEST_F(SharedSocketTest, MonitorWithoutConnectionSendsAndReadsNothing) {
  std::uint8_t buffer[20];
  const std::uint8_t request[] = {0x1B, 0x76, 0x00};
  EXPECT_FALSE(link.SendToMonitor(request));
  EXPECT_EQ(link.ReceiveFromMonitor(buffer, 100), -1);
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  EXPECT_EQ(link.ConnectMonitor(kPrinter, {1, 0}), -3);
  EXPECT_FALSE(link.SendToMonitor(request));
  EXPECT_EQ(link.ReceiveFromMonitor(buffer, 100), -1);
  devices.sendResults = {kSocketError};
  ASSERT_EQ(link.ConnectMonitor(kPrinter, {1, 0}), 1);
  EXPECT_FALSE(link.SendToMonitor(request));
  EXPECT_EQ(Status(), "");
}

TEST_F(SharedSocketTest, MonitorNeverWaitsForAPrintInProgress) {
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
  EXPECT_EQ(link.ConnectMonitor(kPrinter, {1, 0}), 1);
  EXPECT_TRUE(link.SendToMonitor(request));
  EXPECT_EQ(link.ReceiveFromMonitor(buffer, 100), 0);
  link.CloseMonitor();
  polled.set_value();
  printing.join();
  EXPECT_TRUE(pollFinishedDuringPrint);
}

TEST_F(SharedSocketTest, DestructionClosesTheMonitorConnection) {
  {
    PrinterLink local(devices, shared);
    ASSERT_EQ(local.ConnectMonitor(kPrinter, {1, 0}), 1);
  }
  EXPECT_TRUE(devices.OpenSockets().empty());
}

}  // namespace
