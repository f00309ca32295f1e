// USB port discovery against printer interfaces faked in Wine's registry,
// listed under a class of the test's own so that no other test sees them;
// their Linked and Port Number values sit where the system keeps them.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <future>
#include <thread>
#include <string>
#include <vector>

#include "drvsetup/win/UsbPrinterPorts.h"
#include "support/FakeUsbInterfaces.h"

namespace {

constexpr GUID kTestClass = {0x5D0C3A71, 0x2B6E, 0x4F19, {0x8A, 0x44, 0x1E, 0x90, 0x6C, 0x3D, 0x7B, 0x25}};
const std::wstring kTestClassText = L"{5d0c3a71-2b6e-4f19-8a44-1e906c3d7b25}";
const std::wstring kPrintClassText = L"{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

struct FakePrinter {
  std::wstring device;  // "VID_0483&PID_5720"
  std::wstring serial;
  DWORD linked;
  DWORD portNumber;  // 0: no Port Number value
};

// A printer interface of the test class, with its Linked and Port Number
// values where the system keeps them: under the printer interface class.
void AddPrinter(testsupport::FakeUsbInterfaces& fake, const FakePrinter& p) {
  const std::wstring values =
      testsupport::kDeviceClassesKey + kPrintClassText + L"\\" + fake.Add(p.device, p.serial, true).key;
  testsupport::SetMachineValue(values + L"\\#\\Control", L"Linked", p.linked);
  if (p.portNumber) testsupport::SetMachineValue(values + L"\\#\\Device Parameters", L"Port Number", p.portNumber);
  fake.RemoveLater(values);
}

std::vector<unsigned> Ports(const drvsetup::AcceptedPrinters& accepted) {
  std::vector<unsigned> ports;
  for (const auto& p : accepted.printers) ports.push_back(p.portNumber);
  std::sort(ports.begin(), ports.end());
  return ports;
}

TEST(UsbPortDiscovery, AcceptedVendorsLinkedBeforeWindows8WithAPortNumber) {
  testsupport::FakeUsbInterfaces fake(kTestClassText);
  AddPrinter(fake, {L"VID_0483&PID_5720", L"a1", 1, 3});
  AddPrinter(fake, {L"VID_04B8&PID_0202", L"b2", 1, 4});   // vendor not accepted
  AddPrinter(fake, {L"VID_1CBE&PID_0002", L"c3", 0, 12});  // off-line before Windows 8
  AddPrinter(fake, {L"VID_067B&PID_2305", L"d4", 1, 0});   // no port number
  drvsetup::SystemUsbPrinters usb(kTestClass);

  const std::vector<std::pair<bool, std::vector<unsigned>>> cases{{false, {3}}, {true, {3, 12}}};
  for (const auto& [modern, ports] : cases) {
    const auto accepted = usb.List(modern);
    EXPECT_TRUE(accepted.complete) << modern;
    EXPECT_EQ(Ports(accepted), ports) << modern;
  }
  EXPECT_EQ(drvsetup::FindUsbPrinterPort(usb, false), "USB003");
}

TEST(UsbPortDiscovery, NoAcceptedPrinterGivesNoPort) {
  testsupport::FakeUsbInterfaces fake(kTestClassText);
  AddPrinter(fake, {L"VID_04B8&PID_0202", L"b2", 1, 4});
  drvsetup::SystemUsbPrinters usb(kTestClass);
  EXPECT_TRUE(usb.List(true).printers.empty());
  EXPECT_EQ(drvsetup::FindUsbPrinterPort(usb, true), std::nullopt);
}

// Raw pages go to a named pipe standing in for the printer's interface.
class UsbRawPrint : public testing::Test {
 protected:
  const std::wstring name_ = L"\\\\.\\pipe\\drvsetup-raw-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                             std::to_wstring(GetTickCount());
  HANDLE pipe_ = CreateNamedPipeW(name_.c_str(), PIPE_ACCESS_DUPLEX, PIPE_TYPE_BYTE | PIPE_WAIT, 1, 4096, 4096, 0,
                                  nullptr);
  const std::string page_ = std::string(200000, 'p');
  ~UsbRawPrint() override { CloseHandle(pipe_); }
};

TEST_F(UsbRawPrint, TheWaitEndsOnlyWhenThePageIsWrittenWhole) {
  std::string received;
  std::thread printer([&] {
    ConnectNamedPipe(pipe_, nullptr);
    char buffer[4096];
    DWORD count = 0;
    while (ReadFile(pipe_, buffer, sizeof buffer, &count, nullptr) && count > 0) {
      received.append(buffer, count);
      Sleep(1);  // a printer slower than the computer
    }
  });
  drvsetup::SystemUsbPrinters usb(kTestClass, 5000);
  usb.StartRawPrint(name_, page_);
  EXPECT_TRUE(usb.FinishRawPrints());
  printer.join();  // it reads up to the writer's close
  EXPECT_EQ(received.size(), page_.size());
}

TEST_F(UsbRawPrint, APrinterThatStopsReadingEndsTheWaitAfterTheStallLimit) {
  drvsetup::SystemUsbPrinters usb(kTestClass, 300);
  usb.StartRawPrint(name_, page_);  // nobody reads: the pipe fills and the write stalls
  auto finished = std::async(std::launch::async, [&] { return usb.FinishRawPrints(); });
  ASSERT_EQ(finished.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(finished.get());
}

}  // namespace
