// The network tools' operations on the shared socket (connect and keep, send
// on another port): addresses, time-outs, status texts, what the printer
// gets, which socket is left open, and the send lock they take.
#include "prtbench/link/SharedSocket.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <thread>

#include "LinkFixture.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;
using Log = std::vector<std::string>;

constexpr Ipv4 kPrinter = MakeIpv4(127, 0, 0, 9);
const std::string kNetConnectFailed =
    "Network connection failed! If to confirm the current printer IP is correct, the cable interface connected, and "
    "restart the printer after the connection fails, you can try to increase timeout";
const std::string kNewId("\x1F\x1B\x1F\x33\x0A\x0B\x0C\x0D\x00", 9);

class SharedSocketTest : public linktest::LinkFixture {
 protected:
  SharedSocketTest() {
    state.SetLanguage(Language::English);
    link.UpdateSettings([](ConnectionSettings& s) {
      s.com.timeoutSeconds = 5;
      s.printerIp = MakeIpv4(127, 0, 0, 3);
      s.com.monitorIp = MakeIpv4(127, 0, 0, 4);
    });
  }
};

TEST_F(SharedSocketTest, PrinterIpIsWhatTheNextNetOpenWouldUse) {
  EXPECT_EQ(socket.PrinterIp(), MakeIpv4(127, 0, 0, 3));
  Ipv4 box = MakeIpv4(127, 0, 0, 8);
  link.SetPrinterIpSource([&box] { return box; });
  EXPECT_EQ(socket.PrinterIp(), MakeIpv4(127, 0, 0, 8));
  box = MakeIpv4(127, 0, 0, 6);
  EXPECT_EQ(socket.PrinterIp(), MakeIpv4(127, 0, 0, 6));
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
    PrinterLink link(fresh, state, clock);
    SharedSocket tools(link);
    link.UpdateSettings([](ConnectionSettings& s) { s.com.timeoutSeconds = 5; });
    state.SetLanguage(row.language);
    ASSERT_EQ(tools.ConnectAndKeep(kPrinter, kPrinterPort), 1);  // an earlier test's socket
    fresh.attempts = row.attempts;
    EXPECT_EQ(tools.ConnectAndKeep(kPrinter, kMonitorPort), row.result) << row.status;
    EXPECT_EQ(Status(), row.status);
    EXPECT_EQ(fresh.Log()[1], "close-socket 1") << row.status;  // the one before goes first
    EXPECT_EQ(fresh.Log()[2].rfind("connect 127.0.0.9:4000 5s -> ", 0), 0u) << row.status;
    EXPECT_EQ(link.IsOpen(kPortNet), row.result == 1) << row.status;
    EXPECT_EQ(fresh.OpenSockets().size(), row.result == 1 ? 1u : 0u) << row.status;
  }
}

TEST_F(SharedSocketTest, ConnectAndKeepChangesNoSettingAndTheNextNetSendReplacesTheSocket) {
  ASSERT_EQ(socket.ConnectAndKeep(kPrinter, kPrinterPort), 1);
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
    PrinterLink link(fresh, state, clock);
    SharedSocket tools(link);
    state.SetLanguage(row.language);
    state.ResetTotalBytes();
    state.Report({Msg::LptSendOk, {}, {}, 5});
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
    EXPECT_FALSE(link.IsOpen(kPortNet)) << row.what;
    EXPECT_EQ(state.TotalBytes(), 5) << row.what;  // the counter counts print data only
    EXPECT_EQ(paused.size(), row.result == -4 ? 2u : 0u) << row.what;  // the connect's own retries only
  }
}

TEST_F(SharedSocketTest, ToolsCallTheBusyHookAndRunUnderTheSendLock) {
  int busy = 0;
  link.SetBusyHook([&] { ++busy; });
  socket.ConnectAndKeep(kPrinter, kPrinterPort);
  socket.SendOnPort(kPrinter, kMonitorPort, kNewId);
  EXPECT_EQ(busy, 2);

  devices.slowWrites = true;
  link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortCom; });
  std::thread printing([this] {
    for (int i = 0; i < 30; ++i) link.SendData("abc");
  });
  for (int i = 0; i < 30; ++i) {
    socket.ConnectAndKeep(kPrinter, kPrinterPort);
    socket.SendOnPort(kPrinter, kMonitorPort, kNewId);
  }
  printing.join();
  EXPECT_EQ(devices.overlappingCalls(), 0);
}

}  // namespace
