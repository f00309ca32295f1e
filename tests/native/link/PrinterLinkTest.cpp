// OpenPort and SendData over every port type: messages in both languages,
// which link is closed after which failure, the byte counter, NET's
// reconnect per send and silent resend, the pauses.
#include "prtbench/link/PrinterLink.h"

#include <gtest/gtest.h>

#include <deque>
#include <limits>

#include "LinkFixture.h"

namespace {

using namespace prtbench;
using linktest::FakeLinkDevices;
using Log = std::vector<std::string>;

const std::string kEnglishCounts = " current sended:%d bytes,total sended:%d bytes ";

class PrinterLinkTest : public linktest::LinkFixture {
 protected:
  void Use(int portType, Language language = Language::English) {
    state.SetLanguage(language);
    link.UpdateSettings([portType](ConnectionSettings& s) { s.portType = portType; });
  }
  static std::string Counts(int sent, int total) {
    return Fill(kEnglishCounts, {std::to_string(sent), std::to_string(total)});
  }
};

// --- opening ---

TEST_F(PrinterLinkTest, LptThatCannotOpenSaysSoInBothLanguages) {
  devices.missingPaths = {"LPT1"};
  Use(kPortLpt);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "LPT1 is invalid,Please re-select the parallel port!");
  Use(kPortLpt, Language::Chinese);
  EXPECT_EQ(link.OpenPort(), 0);
  EXPECT_EQ(Status(), "LPT1无效,请重新选择并口!");
  EXPECT_FALSE(link.IsOpen(kPortLpt));
  EXPECT_EQ(devices.Log(), (Log{"open LPT1 -> fail", "open LPT1 -> fail"}));  // every call tries again
}

TEST_F(PrinterLinkTest, ComThatCannotOpenSaysSoWithItsName) {
  link.UpdateSettings([](ConnectionSettings& s) { s.comName = "COM12"; });
  devices.missingPaths = {"\\\\.\\COM12"};
  Use(kPortCom);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "COM12 is invalid,Please re-select the serial port!");
  Use(kPortCom, Language::Chinese);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "COM12无效,请重新选择COM口!");
}

TEST_F(PrinterLinkTest, ComThatRefusesItsLineSettingsSendsTheUserToThemAndStaysClosed) {
  devices.refuseLine = true;
  Use(kPortCom);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "COM1 refused the serial settings (byte size, parity, stop bits or baud rate),please change "
                      "them in Com Settings!");
  Use(kPortCom, Language::Chinese);
  EXPECT_EQ(link.OpenPort(), 0);
  EXPECT_EQ(Status(), "COM1拒绝了串口设置(数据位、奇偶校验、停止位或波特率),请在端口设置中修改!");
  EXPECT_FALSE(link.IsOpen(kPortCom));
  EXPECT_TRUE(devices.OpenDevices().empty());
  EXPECT_TRUE(devices.Received(1).empty());
}

TEST_F(PrinterLinkTest, ComOpensWithTheConnectionSettings) {
  link.UpdateSettings([](ConnectionSettings& s) {
    s.comName = "COM3";
    s.baudRate = 4800;
    s.com.byteSize = 7;
    s.com.parity = 1;
    s.com.stopBits = 2;
    s.ctsFlow = true;
  });
  Use(kPortCom);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(devices.Log(), (Log{"open COM3 -> 1", "timeouts 1 0/20/20/5/10000", "line 1 4800 7 1 2 cts=1"}));
  EXPECT_EQ(Status(), "");  // an open that works says nothing
}

TEST_F(PrinterLinkTest, UsbWithoutPrinterGivesTheUsbOpenMessage) {
  Use(kPortUsb);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "USB：Failed to open and re-plug the USB or power-on!");
  Use(kPortUsb, Language::Chinese);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "USB：打开失败!请重新插拔USB或上电!");
  EXPECT_FALSE(link.IsOpen(kPortUsb));
}

TEST_F(PrinterLinkTest, UsbPrinterAttachedLaterIsUsedByTheNextSend) {
  Use(kPortUsb);
  EXPECT_EQ(link.SendData("x"), 0);
  devices.usbInterfaces = std::vector<UsbInterface>{{1, "\\\\?\\usb#printer"}};
  EXPECT_EQ(link.SendData("ab"), 1);
  EXPECT_EQ(Status(), "USB：send data successfully!" + Counts(2, 2));
}

TEST_F(PrinterLinkTest, OpenLinksStayOpenAndAreNotReopened) {
  Use(kPortLpt);
  EXPECT_EQ(link.SendData("a"), 1);
  EXPECT_EQ(link.SendData("b"), 1);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(devices.Log(), (Log{"open LPT1 -> 1", "timeouts 1 0/20/20/1/2000", "purge 1", "write 1 1 -> 1", "purge 1",
                                "write 1 1 -> 1"}));
}

TEST_F(PrinterLinkTest, NetConnectFailureSaysSoInBothLanguages) {
  devices.attempts = {AttemptResult::TimedOut, AttemptResult::TimedOut, AttemptResult::TimedOut};
  Use(kPortNet);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(),
            "Network connection failed! If to confirm the current printer IP is correct, the cable interface "
            "connected, and restart the printer after the connection fails, you can try to increase timeout");
  devices.attempts = {AttemptResult::NoSocket};
  Use(kPortNet, Language::Chinese);
  EXPECT_EQ(link.OpenPort(), 0);
  EXPECT_EQ(Status(), "NET:连接失败!,如果确认当前打印机IP正确、网线接口等连接完好,且重启打印机后仍然连接失败，可尝试加大超时!");
  EXPECT_FALSE(link.IsOpen(kPortNet));
}

TEST_F(PrinterLinkTest, NetOpenSaysConnectedInBothLanguages) {
  Use(kPortNet);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(Status(), "Network connection successfully!");
  Use(kPortNet, Language::Chinese);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(Status(), "网口:连接成功!");
}

TEST_F(PrinterLinkTest, NetOpenTakesThePrinterIpFromTheSourceEachTimeWithTheTimeOut) {
  Ipv4 box = MakeIpv4(127, 0, 0, 5);
  link.SetPrinterIpSource([&box] { return box; });
  link.UpdateSettings([](ConnectionSettings& s) { s.com.timeoutSeconds = 7; });
  Use(kPortNet);
  EXPECT_EQ(link.OpenPort(), 1);
  box = MakeIpv4(127, 0, 0, 6);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.5:9100 7s -> connected 1", "close-socket 1",
                                "connect 127.0.0.6:9100 7s -> connected 2"}));
  EXPECT_EQ(link.Settings().printerIp, MakeIpv4(127, 0, 0, 6));  // what Printer.ini keeps at exit
}

TEST_F(PrinterLinkTest, NetOpenWithoutSourceUsesTheLastPrinterIp) {
  link.UpdateSettings([](ConnectionSettings& s) { s.printerIp = MakeIpv4(127, 0, 0, 3); });
  Use(kPortNet);
  EXPECT_EQ(link.OpenPort(), 1);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.3:9100 1s -> connected 1"}));
}

TEST_F(PrinterLinkTest, AnUnknownPortTypeOpensAndSendsNothingAndSaysSo) {
  Use(9);
  EXPECT_EQ(link.OpenPort(), 0);
  EXPECT_EQ(Status(), "Port type 9 in Printer.ini is invalid,Please re-select the port!");
  Use(-1, Language::Chinese);
  EXPECT_EQ(link.SendData("x"), 0);
  EXPECT_EQ(Status(), "Printer.ini中的端口类型-1无效,请重新选择端口!");
  EXPECT_TRUE(devices.Log().empty());
  EXPECT_EQ(state.TotalBytes(), 0);
}

TEST_F(PrinterLinkTest, CancelledSendsAbortTheLptWriteInFlightAndLaterSendsWriteNothing) {
  Use(kPortLpt);
  devices.onWrite = [this] { link.CancelSends(); };  // the window closes during the write
  EXPECT_EQ(link.SendData("abc"), 1);
  devices.onWrite = nullptr;
  EXPECT_EQ(link.SendData("def"), 0);
  EXPECT_EQ(devices.Log(), (Log{"open LPT1 -> 1", "timeouts 1 0/20/20/1/2000", "purge 1", "abort 1",
                                "write 1 3 -> 3"}));
}

TEST_F(PrinterLinkTest, ACancelDuringTheNetConnectEndsTheAttemptAndNoOtherFollows) {
  Use(kPortNet);
  link.SetPrinterIpSource([] { return MakeIpv4(127, 0, 0, 3); });
  devices.onConnect = [this](const auto&) { link.CancelSends(); };  // the window closes during the attempt
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.3:9100 1s -> stopped"}));
}

TEST_F(PrinterLinkTest, ACancelDuringTheWaitForAStalledPrinterEndsTheSendAndSendsNothingAgain) {
  Use(kPortNet);
  link.SetPrinterIpSource([] { return MakeIpv4(127, 0, 0, 3); });
  devices.sendResults = {3, kWouldBlock};
  devices.onWaitWritable = [this] { link.CancelSends(); };  // the window closes while the printer reads nothing
  EXPECT_EQ(link.SendData("ABCDEFG"), 0);
  EXPECT_EQ(devices.Received(1), "ABC");
  EXPECT_EQ(devices.Log(), (Log{"connect 127.0.0.3:9100 1s -> connected 1", "send 1 7 -> 3", "send 1 4 -> -2",
                                "wait-writable 1 10000 -> stopped", "close-socket 1"}));
}

// --- LPT ---

TEST_F(PrinterLinkTest, LptSendPurgesWritesCountsAndSaysSo) {
  Use(kPortLpt);
  EXPECT_EQ(link.SendData("\x1B@abc"), 1);
  EXPECT_EQ(Status(), "LPT1 send data successfully!" + Counts(5, 5));
  EXPECT_EQ(devices.Received(1), "\x1B@abc");
  Use(kPortLpt, Language::Chinese);
  EXPECT_EQ(link.SendData("de"), 1);
  EXPECT_EQ(Status(), "LPT1发送数据成功! 本次发送发送数据:2字节,总计发送数据:7字节 ");
  EXPECT_TRUE(paused.empty());  // only NET pauses
}

TEST_F(PrinterLinkTest, LptWriteFailureKeepsTheHandle) {
  Use(kPortLpt);
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "LPT1 send data failed!,please detect connection!");
  EXPECT_TRUE(link.IsOpen(kPortLpt));
  Use(kPortLpt, Language::Chinese);
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "LPT1数据发送失败!请检测连接是否无误！");
  EXPECT_EQ(devices.OpenDevices(), (std::set<DeviceHandle>{1}));
  EXPECT_EQ(state.TotalBytes(), 0);
}

TEST_F(PrinterLinkTest, AWriteReportedFailedAddsNothingAndTheNextSuccessCountsOnlyItsOwnBytes) {
  devices.usbInterfaces = std::vector<UsbInterface>{{1, "usb"}};
  const struct {
    int portType;
    std::optional<std::uint32_t> write;  // what the failing write reports
    const char* successLine;
  } rows[] = {
      {kPortLpt, std::uint32_t{2}, "LPT1 send data successfully!"},  // cut short by its time-out
      {kPortLpt, std::nullopt, "LPT1 send data successfully!"},
      {kPortCom, std::nullopt, "COM1 has been sent the data,if the printer is no action,please detect connection!"},
      {kPortUsb, std::uint32_t{5}, "USB：send data successfully!"},
  };
  for (const auto& row : rows) {
    state.ResetTotalBytes();
    Use(row.portType);
    devices.writeResults = {row.write};
    EXPECT_EQ(link.SendData("abcdef"), 0) << row.successLine;
    EXPECT_EQ(state.TotalBytes(), 0) << row.successLine;
    EXPECT_EQ(link.SendData("xy"), 1) << row.successLine;
    EXPECT_EQ(Status(), row.successLine + Counts(2, 2));
  }
}
// --- COM ---

TEST_F(PrinterLinkTest, ComSendSaysSentWithTheCounts) {
  Use(kPortCom);
  EXPECT_EQ(link.SendData("abc"), 1);
  EXPECT_EQ(Status(), "COM1 has been sent the data,if the printer is no action,please detect connection!" +
                          Counts(3, 3));
  Use(kPortCom, Language::Chinese);
  EXPECT_EQ(link.SendData("abcd"), 1);
  EXPECT_EQ(Status(), "COM1数据已发送!如打印机未动作,请检测连接是否无误！ 本次发送发送数据:4字节,总计发送数据:7字节 ");
  EXPECT_EQ(devices.Received(1), "abcabcd");
}

TEST_F(PrinterLinkTest, ComWriteFailureClosesTheComLinkAndTheNextSendReopens) {
  Use(kPortCom);
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "COM1 send data failed!");
  EXPECT_FALSE(link.IsOpen(kPortCom));
  EXPECT_TRUE(devices.OpenDevices().empty());
  Use(kPortCom, Language::Chinese);
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "COM1发送数据失败！");
  EXPECT_EQ(link.SendData("abc"), 1);
  EXPECT_EQ(devices.OpenDevices(), (std::set<DeviceHandle>{3}));
}

TEST_F(PrinterLinkTest, ComJobPacedSlowlyFinishesAndOneThatStallsFails) {
  const std::string job(700, 'j');  // 9600 baud: pieces of 333 bytes
  Use(kPortCom);
  devices.writeResults = {100, 100, 133, 333, 34};
  EXPECT_EQ(link.SendData(job), 1);
  EXPECT_EQ(Status(), "COM1 has been sent the data,if the printer is no action,please detect connection!" +
                          Counts(700, 700));
  devices.writeResults = {333, 0};
  EXPECT_EQ(link.SendData(job), 0);
  EXPECT_EQ(Status(), "COM1 send data failed!");
  EXPECT_FALSE(link.IsOpen(kPortCom));
  EXPECT_EQ(state.TotalBytes(), 700);
  EXPECT_EQ(devices.Received(1), job + job.substr(0, 333));
  // purged once before each job, never between its pieces
  EXPECT_EQ(devices.Log(),
            (Log{"open COM1 -> 1", "timeouts 1 0/20/20/3/10000", "line 1 9600 8 0 0 cts=0", "purge 1",
                 "write 1 333 -> 100", "write 1 333 -> 100", "write 1 333 -> 133", "write 1 333 -> 333",
                 "write 1 34 -> 34", "purge 1", "write 1 333 -> 333", "write 1 333 -> 0", "close 1"}));
}
TEST_F(PrinterLinkTest, ComWriteFailureLeavesTheOtherLinksOpen) {
  Use(kPortLpt);
  ASSERT_EQ(link.SendData("a"), 1);
  Use(kPortCom);
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("a"), 0);
  EXPECT_TRUE(link.IsOpen(kPortLpt));
  EXPECT_FALSE(link.IsOpen(kPortCom));
}

// --- USB ---

class UsbLinkTest : public PrinterLinkTest {
 protected:
  UsbLinkTest() {
    devices.usbInterfaces = std::vector<UsbInterface>{{1, "\\\\?\\usb#vid_0fe6"}};
    Use(kPortUsb);
  }
};

TEST_F(UsbLinkTest, SendSaysSoInBothLanguages) {
  EXPECT_EQ(link.SendData("abc"), 1);
  EXPECT_EQ(Status(), "USB：send data successfully!" + Counts(3, 3));
  Use(kPortUsb, Language::Chinese);
  EXPECT_EQ(link.SendData("a"), 1);
  EXPECT_EQ(Status(), "USB：发送数据成功! 本次发送发送数据:1字节,总计发送数据:4字节 ");
  EXPECT_EQ(devices.Log(), (Log{"usb list", "open-write \\\\?\\usb#vid_0fe6 -> 1", "purge 1", "write 1 3 -> 3",
                                "purge 1", "write 1 1 -> 1"}));
}

TEST_F(UsbLinkTest, WriteFailureClosesTheUsbLink) {
  devices.writeResults = {std::nullopt};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "USB：send data failed!");
  EXPECT_FALSE(link.IsOpen(kPortUsb));
  Use(kPortUsb, Language::Chinese);
  devices.writeResults = {std::uint32_t{0}};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "USB：发送数据失败!");
  EXPECT_TRUE(devices.OpenDevices().empty());
}

// --- NET ---

TEST_F(PrinterLinkTest, NetSendSaysSoAndPausesAfterwards) {
  Use(kPortNet);
  EXPECT_EQ(link.SendData("abc"), 1);
  EXPECT_EQ(Status(), "Network send data successfully" + Counts(3, 3));
  Use(kPortNet, Language::Chinese);
  EXPECT_EQ(link.SendData("ab"), 1);
  EXPECT_EQ(Status(), "NET:发送数据成功! 本次发送发送数据:2字节,总计发送数据:5字节 ");
  EXPECT_EQ(paused, (std::vector<unsigned>{25, 25}));
}

// A job's sends report to the job, so that it words its own outcome whatever
// other threads write into the window's status text meanwhile.
TEST_F(PrinterLinkTest, SendDataForAJobReportsToTheJobAlone) {
  struct Job : prtbench::OutcomeReporter {
    std::vector<prtbench::Msg> messages;
    void Report(const prtbench::Outcome& outcome) override { messages.push_back(outcome.message); }
  } job;
  Use(kPortNet);
  state.SetStatus("Connected");
  const std::uint8_t bytes[] = {'a', 'b', 'c'};
  EXPECT_EQ(link.SendData(bytes, job), 1);
  EXPECT_EQ(job.messages, (std::vector<prtbench::Msg>{prtbench::Msg::NetConnected, prtbench::Msg::NetSendOk}));
  EXPECT_EQ(Status(), "Connected");
  EXPECT_EQ(state.TotalBytes(), 0);
}

TEST_F(PrinterLinkTest, EachNetSendRunsOnItsOwnConnectionClosedBeforeTheNextOpens) {
  Use(kPortNet);
  EXPECT_EQ(link.SendData("first"), 1);
  EXPECT_EQ(link.SendData("second"), 1);
  EXPECT_EQ(devices.Log(),
            (Log{"connect 192.168.123.100:9100 1s -> connected 1", "send 1 5 -> 5", "close-socket 1",
                 "connect 192.168.123.100:9100 1s -> connected 2", "send 2 6 -> 6"}));
  EXPECT_EQ(devices.Received(1), "first");
  EXPECT_EQ(devices.Received(2), "second");
  EXPECT_EQ(devices.OpenSockets(), (std::set<SocketHandle>{2}));
}

TEST_F(PrinterLinkTest, NetCountsTheRequestedLengthAndSendsWhatASendLeftOver) {
  Use(kPortNet);
  devices.sendResults = {4, kWouldBlock, 3};
  EXPECT_EQ(link.SendData("abcdefg"), 1);
  EXPECT_EQ(devices.Received(1), "abcdefg");
  EXPECT_EQ(state.TotalBytes(), 7);
  EXPECT_EQ(Status(), "Network send data successfully" + Counts(7, 7));
  EXPECT_EQ(devices.Log(), (Log{"connect 192.168.123.100:9100 1s -> connected 1", "send 1 7 -> 4", "send 1 3 -> -2",
                                "wait-writable 1 10000 -> 1", "send 1 3 -> 3"}));
}

TEST_F(PrinterLinkTest, NetSendFailureWhoseReconnectFailsShowsTheConnectFailure) {
  Use(kPortNet, Language::Chinese);
  devices.sendResults = {kSocketError};
  devices.attempts = {AttemptResult::Connected, AttemptResult::TimedOut, AttemptResult::TimedOut,
                      AttemptResult::TimedOut};
  EXPECT_EQ(link.SendData("abc"), 0);
  EXPECT_EQ(Status(), "NET:连接失败!,如果确认当前打印机IP正确、网线接口等连接完好,且重启打印机后仍然连接失败，可尝试加大超时!");
  EXPECT_EQ(paused, (std::vector<unsigned>{50, 500, 500, 25}));
  EXPECT_TRUE(devices.OpenSockets().empty());
}

TEST_F(PrinterLinkTest, NetSendFailureShowsTheSendFailureUntilTheReconnect) {
  Use(kPortNet);
  devices.sendResults = {kSocketError};
  std::vector<std::string> seenAtPause;
  onPause = [&](unsigned) { seenAtPause.push_back(Status()); };
  link.SendData("abc");
  EXPECT_EQ(seenAtPause.front(), "Network send data failed");
  Use(kPortNet, Language::Chinese);
  devices.sendResults = {kSocketError};
  seenAtPause.clear();
  link.SendData("abc");
  EXPECT_EQ(seenAtPause.front(), "NET:发送数据失败");
}

TEST_F(PrinterLinkTest, NetSendFailureSendsAgainOnlyWhatNoSocketTookAndStillReturnsZero) {
  const struct {
    const char* what;
    std::deque<int> sends;
    std::deque<bool> writable;
    std::string firstGot;   // what the printer got on the first connection
    std::string secondGot;  // and on a second one, if any
    const char* status;
  } rows[] = {
      // the printer dropped the connection before the first byte: a fresh
      // connection duplicates nothing
      {"refused at once", {kSocketError}, {}, "", "abcdef", "Network connection successfully!"},
      {"stalled before the first byte", {kWouldBlock}, {false}, "", "abcdef", "Network connection successfully!"},
      // paper out in the middle of the job: the printer has the start already
      {"stalled after two bytes", {2, kWouldBlock}, {false}, "ab", "", "Network send data failed"},
      {"hung up after four bytes", {4, kSocketError}, {}, "abcd", "", "Network send data failed"},
      {"took nothing more after three bytes", {3, 0}, {}, "abc", "", "Network send data failed"},
  };
  for (const auto& row : rows) {
    FakeLinkDevices fresh;
    PrinterLink net(fresh, state, clock);
    state.SetLanguage(Language::English);
    net.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
    fresh.sendResults = row.sends;
    fresh.writableResults = row.writable;
    paused.clear();
    EXPECT_EQ(net.SendData("abcdef"), 0) << row.what;
    EXPECT_EQ(Status(), row.status) << row.what;
    EXPECT_EQ(fresh.Received(1), row.firstGot) << row.what;
    EXPECT_EQ(fresh.Received(2), row.secondGot) << row.what;
    const bool again = !row.secondGot.empty();
    const std::set<SocketHandle> open = again ? std::set<SocketHandle>{2} : std::set<SocketHandle>{};
    EXPECT_EQ(fresh.OpenSockets(), open) << row.what;
    EXPECT_EQ(paused, again ? (std::vector<unsigned>{50, 25}) : (std::vector<unsigned>{25})) << row.what;
    EXPECT_EQ(state.TotalBytes(), 0) << row.what;
  }
}
// --- counter, closes, line changes, threads ---

TEST_F(PrinterLinkTest, TotalWrapsAsThirtyTwoBitSignedInTheCountsLine) {
  state.Report({Msg::LptSendOk, {}, {}, std::numeric_limits<std::int32_t>::max() - 1});
  Use(kPortLpt);
  EXPECT_EQ(link.SendData("abc"), 1);
  EXPECT_EQ(state.TotalBytes(), std::numeric_limits<std::int32_t>::min() + 1);
  EXPECT_EQ(Status(), "LPT1 send data successfully!" + Counts(3, std::numeric_limits<std::int32_t>::min() + 1));
}

TEST_F(PrinterLinkTest, ClosePortsClosesComLptUsbThenTheSocket) {
  devices.usbInterfaces = std::vector<UsbInterface>{{1, "usb"}};
  for (int type : {kPortLpt, kPortCom, kPortUsb, kPortNet}) {
    Use(type);
    ASSERT_EQ(link.OpenPort(), 1);
  }
  devices.ClearLog();
  link.ClosePorts();
  EXPECT_EQ(devices.Log(), (Log{"close 2", "close 1", "close 3", "close-socket 4"}));
  link.ClosePorts();
  EXPECT_EQ(devices.Log().size(), 4u);
  for (int type : {kPortLpt, kPortCom, kPortUsb, kPortNet}) EXPECT_FALSE(link.IsOpen(type));
}

TEST_F(PrinterLinkTest, SingleClosesCloseOnlyTheirLink) {
  Use(kPortLpt);
  ASSERT_EQ(link.OpenPort(), 1);
  Use(kPortCom);
  ASSERT_EQ(link.OpenPort(), 1);
  link.CloseCom();
  EXPECT_FALSE(link.IsOpen(kPortCom));
  EXPECT_TRUE(link.IsOpen(kPortLpt));
  link.CloseLpt();
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(PrinterLinkTest, ReopenLptClosesAndOpensTheCurrentName) {
  Use(kPortLpt);
  ASSERT_EQ(link.OpenPort(), 1);
  link.UpdateSettings([](ConnectionSettings& s) { s.lptName = "LPT2"; });
  EXPECT_TRUE(link.ReopenLpt());
  EXPECT_EQ(devices.OpenDevices(), (std::set<DeviceHandle>{2}));
  EXPECT_EQ(devices.PathOf(2), "LPT2");
  devices.missingPaths = {"LPT2"};
  EXPECT_FALSE(link.ReopenLpt());
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(PrinterLinkTest, UsbArrivalReplacesAnOpenUsbLinkWithoutLeakingIt) {
  devices.usbInterfaces = std::vector<UsbInterface>{{1, "usb"}};
  EXPECT_TRUE(link.OpenUsbIfClosed());
  EXPECT_TRUE(link.OpenUsbIfClosed());
  EXPECT_TRUE(link.ReopenUsb());
  EXPECT_EQ(devices.OpenDevices(), (std::set<DeviceHandle>{2}));
  devices.usbInterfaces = std::vector<UsbInterface>{};
  EXPECT_FALSE(link.ReopenUsb());
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(PrinterLinkTest, LineChangesGoToTheOpenComLinkOnly) {
  EXPECT_FALSE(link.ChangeComLine({19200, std::nullopt}));
  Use(kPortCom);
  ASSERT_EQ(link.OpenPort(), 1);
  EXPECT_TRUE(link.ChangeComLine({19200, std::nullopt}));
  EXPECT_TRUE(link.ChangeComLine({std::nullopt, true}));
  devices.refuseLineChange = true;
  EXPECT_FALSE(link.ChangeComLine({std::nullopt, false}));
  EXPECT_EQ(devices.Log().back(), "change 1 xonxoff=0 -> fail");
  EXPECT_EQ(devices.Log()[3], "change 1 baud=19200");
}

TEST_F(PrinterLinkTest, BusyHookRunsOncePerSend) {
  int busy = 0;
  link.SetBusyHook([&] { ++busy; });
  Use(kPortLpt);
  link.SendData("a");
  link.OpenPort();
  devices.missingPaths = {"LPT1"};
  link.CloseLpt();
  link.SendData("b");
  EXPECT_EQ(busy, 2);
}

TEST_F(PrinterLinkTest, SendsFromTwoThreadsNeverOverlapAndEveryByteIsCounted) {
  devices.slowWrites = true;
  Use(kPortCom);
  auto sendMany = [this] {
    for (int i = 0; i < 50; ++i) link.SendData("0123456789");
  };
  std::thread worker(sendMany);
  sendMany();
  worker.join();
  EXPECT_EQ(devices.overlappingCalls(), 0);
  EXPECT_EQ(state.TotalBytes(), 1000);
  EXPECT_EQ(devices.Received(1).size(), 1000u);
}

TEST_F(PrinterLinkTest, CloseWhileAnotherThreadSendsNeverClosesUnderAWrite) {
  devices.slowWrites = true;
  Use(kPortCom);
  std::thread worker([this] {
    for (int i = 0; i < 50; ++i) link.SendData("abc");
  });
  for (int i = 0; i < 50; ++i) link.ClosePorts();
  worker.join();
  EXPECT_EQ(devices.overlappingCalls(), 0);
  EXPECT_EQ(state.TotalBytes(), 150);
}

TEST_F(PrinterLinkTest, DestructionClosesEveryLink) {
  {
    PrinterLink local(devices, state, clock);
    local.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortCom; });
    ASSERT_EQ(local.OpenPort(), 1);
  }
  EXPECT_TRUE(devices.OpenDevices().empty());
}

}  // namespace
