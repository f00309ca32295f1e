// NET on the real Winsock: sends to vprinter on loopback, a connection per
// send, the retries against a closed port, keep-alive, a large buffer, a
// printer that fails in the middle of a job.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/link/Connect.h"
#include "prtbench/link/MonitorConnection.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/SharedSocket.h"
#include "prtbench/link/win/SystemDevices.h"
#include "StallingPrinter.h"
#include "support/VPrinter.h"

namespace {

using namespace prtbench;
using linktest::StallingPrinter;
using testsupport::VPrinter;

class NoUsb : public UsbInterfaceSource {
 public:
  std::optional<std::vector<UsbInterface>> List() override { return std::vector<UsbInterface>{}; }
};

class NetLinkTest : public testing::Test {
 protected:
  void SetUp() override {
    WSADATA data;
    ASSERT_EQ(WSAStartup(MAKEWORD(1, 1), &data), 0);
    state_.SetLanguage(Language::English);
    link_.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
  }
  void TearDown() override {
    link_.ClosePorts();
    WSACleanup();
  }
  void PrinterAt(Ipv4 address) {
    link_.SetPrinterIpSource([address] { return address; });
  }

  NoUsb usb_;
  SystemLinkDevices devices_{usb_};
  std::vector<unsigned> paused_;
  kit::FunctionClock clock_{[this](unsigned ms) { paused_.push_back(ms); }};
  WindowState state_;
  PrinterLink link_{devices_, state_, clock_};
  SharedSocket socket_{link_};
  MonitorConnection monitor_{devices_, clock_};
};

TEST_F(NetLinkTest, TwoSendsGiveTwoConnectionsTheFirstClosedBeforeTheSecondOpens) {
  VPrinter printer("--tcp 127.0.0.21:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  PrinterAt(MakeIpv4(127, 0, 0, 21));
  EXPECT_EQ(link_.SendData("\x1B@first\n"), 1);
  EXPECT_EQ(state_.Status(), "Network send data successfully current sended:8 bytes,total sended:8 bytes ");
  EXPECT_EQ(link_.SendData("second\n"), 1);
  link_.ClosePorts();
  ASSERT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 2; }));
  const auto journal = printer.Journal();
  ASSERT_EQ(journal.size(), 5u);
  EXPECT_EQ(journal[1].kind, "open");
  EXPECT_EQ(journal[1].source, "tcp:127.0.0.21:9100");
  EXPECT_EQ(journal[2].kind, "close");
  EXPECT_EQ(journal[2].id, 1);
  EXPECT_EQ(journal[3].kind, "open");
  EXPECT_EQ(journal[3].id, 2);
  EXPECT_EQ(printer.Bytes(1), "\x1B@first\n");
  EXPECT_EQ(printer.Bytes(2), "second\n");
  EXPECT_EQ(state_.TotalBytes(), 15);
  EXPECT_EQ(paused_, (std::vector<unsigned>{25, 25}));
}

TEST_F(NetLinkTest, AClosedPortFailsAfterThreeAttemptsWithTheConnectMessage) {
  PrinterAt(MakeIpv4(127, 0, 0, 22));
  EXPECT_EQ(link_.SendData("lost"), 0);
  EXPECT_EQ(state_.Status(),
            "Network connection failed! If to confirm the current printer IP is correct, the cable interface "
            "connected, and restart the printer after the connection fails, you can try to increase timeout");
  EXPECT_EQ(paused_, (std::vector<unsigned>{500, 500}));  // three attempts
  EXPECT_FALSE(link_.IsOpen(kPortNet));
}

TEST_F(NetLinkTest, ConnectWithTimeoutToAClosedPortReturnsMinusThree) {
  SocketHandle slot = kNoSocket;
  EXPECT_EQ(ConnectWithTimeout(devices_, clock_, slot, MakeIpv4(127, 0, 0, 23), kMonitorPort, {0, 200000}), -3);
  EXPECT_EQ(slot, kNoSocket);
  EXPECT_EQ(paused_, (std::vector<unsigned>{500, 500}));
}

TEST_F(NetLinkTest, ConnectedSocketHasKeepAliveAndDoesNotBlock) {
  VPrinter printer("--tcp 127.0.0.24:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  SocketHandle slot = kNoSocket;
  ASSERT_EQ(ConnectWithTimeout(devices_, clock_, slot, MakeIpv4(127, 0, 0, 24), kMonitorPort, {1, 0}), 1);
  BOOL keepAlive = FALSE;
  int size = sizeof keepAlive;
  ASSERT_EQ(getsockopt(static_cast<SOCKET>(slot), SOL_SOCKET, SO_KEEPALIVE, reinterpret_cast<char*>(&keepAlive), &size),
            0);
  EXPECT_TRUE(keepAlive);
  // the printer says nothing: a receive returns at once instead of waiting
  std::uint8_t buffer[8];
  EXPECT_EQ(ReceiveOnSlot(devices_, slot, buffer), -1);
  EXPECT_EQ(WSAGetLastError(), WSAEWOULDBLOCK);
  const std::uint8_t status[] = {0x1B, 0x76, 0x00};
  EXPECT_EQ(SendOnSlot(devices_, slot, status), 3);
  EXPECT_EQ(CloseSocketSlot(devices_, slot), 0);
  EXPECT_EQ(CloseSocketSlot(devices_, slot), -1);
  ASSERT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1B\x76\x00", 3));
}

TEST_F(NetLinkTest, ALargeBufferArrivesWholeOnTheNonBlockingSocket) {
  VPrinter printer("--tcp 127.0.0.25:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  PrinterAt(MakeIpv4(127, 0, 0, 25));
  std::string image(3 * 1024 * 1024, '\0');
  for (size_t i = 0; i < image.size(); ++i) image[i] = static_cast<char>(i * 7 + i / 251);
  EXPECT_EQ(link_.SendData(image), 1);
  link_.ClosePorts();
  ASSERT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_TRUE(printer.Bytes(1) == image);
  EXPECT_EQ(state_.TotalBytes(), 3 * 1024 * 1024);
}

TEST_F(NetLinkTest, SendOnPortDeliversTheCommandOnItsOwnConnectionAndClosesIt) {
  VPrinter printer("--tcp 127.0.0.28:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const std::string newId("\x1F\x1B\x1F\x33\x0A\x0B\x0C\x0D\x00", 9);
  EXPECT_EQ(socket_.SendOnPort(MakeIpv4(127, 0, 0, 28), kMonitorPort, newId), 1);
  EXPECT_EQ(state_.Status(), "Network send data successfully");
  EXPECT_FALSE(link_.IsOpen(kPortNet));
  ASSERT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_EQ(printer.Bytes(1), newId);
}

TEST_F(NetLinkTest, MonitorReceiveFromASilentPrinterGivesNothingInsteadOfBlocking) {
  VPrinter printer("--tcp 127.0.0.29:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  ASSERT_EQ(monitor_.Connect(MakeIpv4(127, 0, 0, 29), {1, 0}), 1);
  const std::uint8_t request[] = {0x1B, 0x76, 0x00};
  EXPECT_TRUE(monitor_.Send(request));
  std::uint8_t reply[20];
  EXPECT_EQ(monitor_.Receive(reply, 200), 0);  // a receive that blocked would hang here
  monitor_.Close();
  ASSERT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1B\x76\x00", 3));
}

TEST_F(NetLinkTest, AMonitorConnectToAPrinterThatNeverAnswersEndsAtTheStop) {
  // a listener whose one queue place is taken: the next connect gets no answer
  sockaddr_in at{};
  at.sin_family = AF_INET;
  at.sin_port = htons(kMonitorPort);
  at.sin_addr.s_addr = htonl(MakeIpv4(127, 0, 0, 31));
  const SOCKET listener = socket(AF_INET, SOCK_STREAM, 0);
  const SOCKET queued = socket(AF_INET, SOCK_STREAM, 0);
  ASSERT_EQ(bind(listener, reinterpret_cast<const sockaddr*>(&at), sizeof at), 0);
  ASSERT_EQ(listen(listener, 0), 0);
  ASSERT_EQ(connect(queued, reinterpret_cast<const sockaddr*>(&at), sizeof at), 0);
  const auto start = std::chrono::steady_clock::now();
  const auto since = [start] { return std::chrono::steady_clock::now() - start; };
  const auto stop = [&] { return since() > std::chrono::milliseconds(300); };
  EXPECT_EQ(monitor_.Connect(MakeIpv4(127, 0, 0, 31), {5, 0}, stop), -3);
  EXPECT_GE(since(), std::chrono::milliseconds(300));  // the attempt waited: nothing refused it
  EXPECT_LT(since(), std::chrono::seconds(2));         // a whole attempt is 5 s
  closesocket(queued);
  closesocket(listener);
}

TEST_F(NetLinkTest, APrinterThatFailsInTheMiddleOfAJobHasItsStartOnceAndTheSendFails) {
  // more than the two ends' socket buffers hold, so the sender must wait for the printer
  std::string job(32 * 1024 * 1024, '\0');
  for (size_t i = 0; i < job.size(); ++i) job[i] = static_cast<char>(i * 7 + i / 251);
  constexpr size_t kTaken = 64 * 1024;
  const struct {
    StallingPrinter::Fault fault;
    Ipv4 address;
  } rows[] = {{StallingPrinter::Fault::HangsUp, MakeIpv4(127, 0, 0, 26)},
              {StallingPrinter::Fault::StopsReading, MakeIpv4(127, 0, 0, 27)}};  // waits out the 10 s stall bound
  for (const auto& row : rows) {
    const std::string what = FormatIpv4(row.address);
    StallingPrinter printer(row.address, kPrinterPort, kTaken, row.fault);
    ASSERT_TRUE(printer.listening()) << what;
    PrinterAt(row.address);
    paused_.clear();
    EXPECT_EQ(link_.SendData(job), 0) << what;
    EXPECT_EQ(state_.Status(), "Network send data failed") << what;
    EXPECT_FALSE(link_.IsOpen(kPortNet)) << what;
    const std::string received = printer.Received();
    EXPECT_GE(received.size(), kTaken) << what;
    EXPECT_LT(received.size(), job.size()) << what;
    EXPECT_TRUE(received == job.substr(0, received.size())) << what;
    EXPECT_FALSE(printer.SecondConnection()) << what << ": the job went again";
    EXPECT_EQ(paused_, (std::vector<unsigned>{25})) << what;
    EXPECT_EQ(state_.TotalBytes(), 0) << what;
  }
}

TEST_F(NetLinkTest, AWindowClosingWhileThePrinterStoppedReadingEndsTheSendAtOnce) {
  std::string job(32 * 1024 * 1024, 'x');
  StallingPrinter printer(MakeIpv4(127, 0, 0, 28), kPrinterPort, 64 * 1024, StallingPrinter::Fault::StopsReading);
  ASSERT_TRUE(printer.listening());
  PrinterAt(MakeIpv4(127, 0, 0, 28));
  const auto start = std::chrono::steady_clock::now();
  std::thread closing([this] {
    Sleep(300);
    link_.CancelSends();
  });
  EXPECT_EQ(link_.SendData(job), 0);
  closing.join();
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(3));  // the stall bound is 10 s
  EXPECT_FALSE(printer.SecondConnection());
}

}  // namespace
