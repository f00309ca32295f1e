// USB through the interfaces seam: interfaces whose paths lead to a file or a
// named pipe stand in for printers, since Wine cannot open a USB printer.
#include <gtest/gtest.h>
#include <windows.h>

#include <thread>

#include "common/Pause.h"
#include "prtbench/app/WindowState.h"
#include "prtbench/link/PrinterLink.h"
#include "prtbench/link/win/SystemDevices.h"
#include "prtbench/link/win/UsbPrintInterfaces.h"
#include "support/Unix.h"
#include "winui/Utf.h"

namespace {

using namespace prtbench;
using namespace testsupport;

class ListedUsbInterfaces : public UsbInterfaceSource {
 public:
  std::optional<std::vector<UsbInterface>> List() override { return interfaces; }
  std::optional<std::vector<UsbInterface>> interfaces = std::vector<UsbInterface>{};
};

class UsbLinkTest : public testing::Test {
 protected:
  void SetUp() override {
    state_.SetLanguage(Language::English);
    link_.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortUsb; });
  }
  // An existing empty file standing in for a printer; its Unix path.
  std::string PrinterFile() {
    const std::string path = MakeTempDir() + "/usb-printer";
    WriteFile(path, "");
    return path;
  }
  static std::string Windows(const std::string& unixPath) { return winui::Narrow(WindowsPath(unixPath)); }

  ListedUsbInterfaces usb_;
  SystemLinkDevices devices_{usb_};
  kit::FunctionClock clock_;
  WindowState state_;
  PrinterLink link_{devices_, state_, clock_};
};

TEST_F(UsbLinkTest, WriteLandsOnTheInterfacesPath) {
  const std::string printer = PrinterFile();
  usb_.interfaces = std::vector<UsbInterface>{{1, Windows(printer)}};
  EXPECT_EQ(link_.SendData(std::string_view("\x1D\x56\x42\x00", 4)), 1);
  EXPECT_EQ(state_.Status(), "USB：send data successfully! current sended:4 bytes,total sended:4 bytes ");
  link_.ClosePorts();
  EXPECT_EQ(ReadFile(printer), std::string("\x1D\x56\x42\x00", 4));
}

TEST_F(UsbLinkTest, NoInterfaceGivesTheUsbOpenMessage) {
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "USB：Failed to open and re-plug the USB or power-on!");
  state_.SetLanguage(Language::Chinese);
  EXPECT_EQ(link_.SendData("x"), 0);
  EXPECT_EQ(state_.Status(), "USB：打开失败!请重新插拔USB或上电!");
  EXPECT_FALSE(link_.IsOpen(kPortUsb));
}

TEST_F(UsbLinkTest, AnInterfaceWhoseFlagsAreNotExactlyOneIsSkipped) {
  const std::string skipped = PrinterFile();
  const std::string used = PrinterFile();
  usb_.interfaces = std::vector<UsbInterface>{{3, Windows(skipped)}, {0, Windows(skipped)}, {1, Windows(used)}};
  EXPECT_EQ(link_.SendData("abc"), 1);
  link_.ClosePorts();
  EXPECT_EQ(ReadFile(skipped), "");
  EXPECT_EQ(ReadFile(used), "abc");
}

TEST_F(UsbLinkTest, APrinterThatAppearsLaterIsUsedWithoutRestart) {
  EXPECT_EQ(link_.SendData("x"), 0);
  const std::string printer = PrinterFile();
  usb_.interfaces = std::vector<UsbInterface>{{1, Windows(printer)}};
  EXPECT_EQ(link_.SendData("late"), 1);
  link_.ClosePorts();
  EXPECT_EQ(ReadFile(printer), "late");
}

TEST_F(UsbLinkTest, WriteReachesAPrinterBehindANamedPipe) {
  const std::wstring name = L"\\\\.\\pipe\\kit-usb-printer-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 65536,
                                       0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  std::string received;
  std::thread printer([&] {
    ConnectNamedPipe(pipe, nullptr);
    char buffer[256];
    DWORD n = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &n, nullptr) && n > 0) received.append(buffer, n);
  });
  usb_.interfaces = std::vector<UsbInterface>{{1, winui::Narrow(name)}};
  EXPECT_EQ(link_.SendData("\x1B@pipe\n"), 1);
  link_.ClosePorts();  // the reader sees the end of the data
  printer.join();
  CloseHandle(pipe);
  EXPECT_EQ(received, "\x1B@pipe\n");
}

TEST_F(UsbLinkTest, AWriteFailureClosesTheUsbLink) {
  // a printer that went away while open: the pipe's reader closed its end
  const std::wstring name = L"\\\\.\\pipe\\kit-usb-gone-" + std::to_wstring(GetCurrentProcessId());
  const HANDLE pipe = CreateNamedPipeW(name.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 0, 65536,
                                       0, nullptr);
  ASSERT_NE(pipe, INVALID_HANDLE_VALUE);
  usb_.interfaces = std::vector<UsbInterface>{{1, winui::Narrow(name)}};
  ASSERT_EQ(link_.OpenPort(), 1);
  DisconnectNamedPipe(pipe);
  CloseHandle(pipe);
  EXPECT_EQ(link_.SendData("lost"), 0);
  EXPECT_EQ(state_.Status(), "USB：send data failed!");
  EXPECT_FALSE(link_.IsOpen(kPortUsb));
}

TEST(SetupApiUsbInterfaces, ListsNoPrinterWhereNoneIsAttached) {
  SetupApiUsbInterfaces usb;
  const auto interfaces = usb.List();
  ASSERT_TRUE(interfaces.has_value());
  EXPECT_TRUE(interfaces->empty());
}

}  // namespace
