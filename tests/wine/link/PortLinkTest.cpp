// COM and LPT on Wine's comm layer over socat ptys: bytes arrive, the line
// settings and time-outs reach the port, COM10 needs the \\.\ form, a stuck
// write ends at its time-out.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

#include "MappedPorts.h"
#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/Ports.h"
#include "prtbench/link/win/Dcb.h"
#include "prtbench/link/win/SystemDevices.h"

namespace {

using namespace prtbench;
using namespace testsupport;
using linktest::MapPort;
using linktest::StartReading;

class NoUsb : public UsbInterfaceSource {
 public:
  std::optional<std::vector<UsbInterface>> List() override { return std::vector<UsbInterface>{}; }
};

HANDLE AsHandle(DeviceHandle device) { return reinterpret_cast<HANDLE>(device); }

class PortLinkTest : public testing::Test {
 protected:
  void Use(int portType, const std::string& name, Language language = Language::English) {
    state_.SetLanguage(language);
    link_.UpdateSettings([&](ConnectionSettings& s) {
      s.portType = portType;
      (portType == kPortCom ? s.comName : s.lptName) = name;
    });
  }

  NoUsb usb_;
  SystemLinkDevices devices_{usb_};
  kit::FunctionClock clock_;
  WindowState state_;
  PrinterLink link_{devices_, state_, clock_};
};

const std::string kBytes("\x1B@\x00\xFF" "abc\r\n", 9);

TEST_F(PortLinkTest, ComSendArrivesAtThePrinterEnd) {
  const std::string peer = MapPort("COM5");
  ASSERT_FALSE(peer.empty());
  const std::string received = StartReading(peer, kBytes.size());
  Use(kPortCom, "COM5");
  EXPECT_EQ(link_.SendData(kBytes), 1);
  EXPECT_EQ(state_.Status(),
            "COM5 has been sent the data,if the printer is no action,please detect connection! current sended:9 "
            "bytes,total sended:9 bytes ");
  ASSERT_TRUE(WaitForFile(received, 10000));
  EXPECT_EQ(ReadFile(received), kBytes);
}

TEST_F(PortLinkTest, ComOpenAppliesLineSettingsAndTheWriteBound) {
  ASSERT_FALSE(MapPort("COM31").empty());
  const DeviceHandle port = OpenComLink(devices_, "COM31", {19200, 8, 0, 2, true}).device;
  ASSERT_NE(port, kNoDevice);
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(AsHandle(port), &dcb));
  EXPECT_EQ(dcb.BaudRate, 19200u);
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, TWOSTOPBITS);
  EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
  EXPECT_EQ(dcb.fOutX, 0u);
  EXPECT_EQ(dcb.fInX, 0u);
  COMMTIMEOUTS timeouts{};
  ASSERT_TRUE(GetCommTimeouts(AsHandle(port), &timeouts));
  EXPECT_EQ(timeouts.ReadIntervalTimeout, 0u);
  EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 20u);
  EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 20u);
  EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 2u);
  EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 10000u);
  devices_.Close(port);
  const DeviceHandle again = OpenComLink(devices_, "COM31", {9600, 8, 0, 0, false}).device;
  ASSERT_NE(again, kNoDevice);
  ASSERT_TRUE(GetCommState(AsHandle(again), &dcb));
  EXPECT_EQ(dcb.BaudRate, 9600u);
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
  EXPECT_EQ(dcb.fOutxCtsFlow, 0u);
  devices_.Close(again);
}

TEST_F(PortLinkTest, LineChangesReachTheOpenPort) {
  ASSERT_FALSE(MapPort("COM32").empty());
  const DeviceHandle port = OpenComLink(devices_, "COM32", {9600, 8, 0, 0, false}).device;
  ASSERT_NE(port, kNoDevice);
  EXPECT_TRUE(devices_.ChangeLine(port, {57600, std::nullopt}));
  EXPECT_TRUE(devices_.ChangeLine(port, {std::nullopt, true}));
  DCB dcb{};
  dcb.DCBlength = sizeof dcb;
  ASSERT_TRUE(GetCommState(AsHandle(port), &dcb));
  EXPECT_EQ(dcb.BaudRate, 57600u);
  EXPECT_EQ(dcb.fOutX, 1u);
  EXPECT_EQ(dcb.fInX, 1u);
  EXPECT_EQ(dcb.XonChar, 0x11);
  EXPECT_EQ(dcb.XoffChar, 0x13);
  devices_.Close(port);
}

TEST_F(PortLinkTest, Com10IsOpenedInTheDeviceNamespaceForm) {
  const std::string peer = MapPort("COM10");
  ASSERT_FALSE(peer.empty());
  // Wine, like Windows, has no plain "COM10"
  EXPECT_EQ(devices_.OpenDevice("COM10"), kNoDevice);
  const std::string received = StartReading(peer, 5);
  Use(kPortCom, "COM10");
  EXPECT_EQ(link_.SendData("ten\r\n"), 1);
  ASSERT_TRUE(WaitForFile(received, 10000));
  EXPECT_EQ(ReadFile(received), "ten\r\n");
}

TEST_F(PortLinkTest, MissingComPortGivesTheComMessage) {
  Use(kPortCom, "COM42");
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "COM42 is invalid,Please re-select the serial port!");
  Use(kPortCom, "COM42", Language::Chinese);
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "COM42无效,请重新选择COM口!");
}

TEST_F(PortLinkTest, ComWhoseDriverRefusesTheLineSaysSoAndSendsNothing) {
  // the comm layer has no 4-bit bytes, as many drivers do not
  const std::string peer = MapPort("COM34");
  ASSERT_FALSE(peer.empty());
  const std::string received = StartReading(peer, 1);
  link_.UpdateSettings([](ConnectionSettings& s) { s.com.byteSize = 4; });
  Use(kPortCom, "COM34");
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "COM34 refused the serial settings (byte size, parity, stop bits or baud "
                                  "rate),please change them in Com Settings!");
  EXPECT_FALSE(link_.IsOpen(kPortCom));
  link_.UpdateSettings([](ConnectionSettings& s) { s.com.byteSize = 8; });
  EXPECT_EQ(link_.SendData("y"), 1);  // with settings the port takes, the same port works
  ASSERT_TRUE(WaitForFile(received, 10000));
  EXPECT_EQ(ReadFile(received), "y");
}

TEST_F(PortLinkTest, AWriteCutShortReportsWhatItTookAndTheNextOneTakesNothing) {
  // nobody reads the other end: the port fills up like a printer holding CTS
  // off. COM jobs go on after a short count and stop at a zero count.
  const std::string peer = MapPort("COM33");
  ASSERT_FALSE(peer.empty());
  const DeviceHandle port = devices_.OpenDevice(ComDevicePath("COM33"));
  ASSERT_NE(port, kNoDevice);
  ASSERT_TRUE(devices_.SetTimeouts(port, {0, 20, 20, 0, 300}));
  std::string lots(4 * 1024 * 1024, '\0');
  for (size_t i = 0; i < lots.size(); ++i) lots[i] = static_cast<char>(i * 7 + i / 251);
  const auto bytes = std::span(reinterpret_cast<const std::uint8_t*>(lots.data()), lots.size());
  const auto written = devices_.Write(port, bytes);
  ASSERT_TRUE(written.has_value());
  EXPECT_GT(*written, 0u);
  EXPECT_LT(*written, lots.size());
  EXPECT_EQ(devices_.Write(port, bytes.subspan(*written, 1000)), std::uint32_t{0});
  // what the count says went out is what arrives, and no more
  const std::string out = MakeTempDir() + "/received";
  StartShell("timeout 3 cat " + ShellQuote(peer) + " >" + ShellQuote(out + ".part") + "; mv " +
             ShellQuote(out + ".part") + " " + ShellQuote(out));
  ASSERT_TRUE(WaitForFile(out, 10000));
  EXPECT_TRUE(ReadFile(out) == lots.substr(0, *written));
  devices_.Close(port);
}
TEST_F(PortLinkTest, LptSendArrivesAtThePrinterEnd) {
  const std::string peer = MapPort("LPT2");
  ASSERT_FALSE(peer.empty());
  const std::string received = StartReading(peer, kBytes.size());
  Use(kPortLpt, "LPT2");
  EXPECT_EQ(link_.SendData(kBytes), 1);
  EXPECT_EQ(state_.Status(), "LPT2 send data successfully! current sended:9 bytes,total sended:9 bytes ");
  ASSERT_TRUE(WaitForFile(received, 10000));
  EXPECT_EQ(ReadFile(received), kBytes);
}

TEST_F(PortLinkTest, LptOpenSetsItsTimeOuts) {
  ASSERT_FALSE(MapPort("LPT3").empty());
  const DeviceHandle port = OpenLptLink(devices_, "LPT3");
  ASSERT_NE(port, kNoDevice);
  COMMTIMEOUTS timeouts{};
  ASSERT_TRUE(GetCommTimeouts(AsHandle(port), &timeouts));
  EXPECT_EQ(timeouts.ReadTotalTimeoutMultiplier, 20u);
  EXPECT_EQ(timeouts.ReadTotalTimeoutConstant, 20u);
  EXPECT_EQ(timeouts.WriteTotalTimeoutMultiplier, 1u);
  EXPECT_EQ(timeouts.WriteTotalTimeoutConstant, 2000u);
  devices_.Close(port);
}

TEST_F(PortLinkTest, MissingLptGivesTheLptMessage) {
  Use(kPortLpt, "LPT7");
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "LPT7 is invalid,Please re-select the parallel port!");
  Use(kPortLpt, "LPT7", Language::Chinese);
  EXPECT_EQ(link_.OpenPort(), 0);
  EXPECT_EQ(state_.Status(), "LPT7无效,请重新选择并口!");
}

TEST(Dcb, BuiltFromZeroWithTheLineDtrAndCts) {
  const DCB dcb = MakeDcb({4800, 7, EVENPARITY, ONE5STOPBITS, true});
  DCB expected{};
  expected.DCBlength = sizeof expected;
  expected.BaudRate = 4800;
  expected.ByteSize = 7;
  expected.Parity = EVENPARITY;
  expected.StopBits = ONE5STOPBITS;
  expected.fDtrControl = DTR_CONTROL_ENABLE;
  expected.fOutxCtsFlow = 1;
  expected.XonChar = 0x11;
  expected.XoffChar = 0x13;
  EXPECT_EQ(std::memcmp(&dcb, &expected, sizeof dcb), 0);
  EXPECT_EQ(MakeDcb({9600, 8, NOPARITY, ONESTOPBIT, false}).fOutxCtsFlow, 0u);
}

TEST(Dcb, LineChangeKeepsTheRest) {
  DCB dcb = MakeDcb({9600, 8, ODDPARITY, TWOSTOPBITS, true});
  ApplyLineChange({115200, std::nullopt}, dcb);
  EXPECT_EQ(dcb.BaudRate, 115200u);
  EXPECT_EQ(dcb.Parity, ODDPARITY);
  EXPECT_EQ(dcb.fOutX, 0u);
  ApplyLineChange({std::nullopt, true}, dcb);
  EXPECT_EQ(dcb.BaudRate, 115200u);
  EXPECT_EQ(dcb.fOutX, 1u);
  EXPECT_EQ(dcb.fInX, 1u);
  EXPECT_EQ(dcb.fRtsControl, static_cast<DWORD>(RTS_CONTROL_ENABLE));
  ApplyLineChange({std::nullopt, false}, dcb);
  EXPECT_EQ(dcb.fOutX, 0u);
  EXPECT_EQ(dcb.fInX, 0u);
  EXPECT_EQ(dcb.fOutxCtsFlow, 1u);
}

}  // namespace
