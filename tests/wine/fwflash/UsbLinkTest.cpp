// The USB side of the port layer through the interfaces seam: which device is
// opened and how, link numbers, the read thread and the reply polling.
#include <gtest/gtest.h>

#include <functional>
#include <future>
#include <thread>

#include "PipeUsb.h"
#include "common/Pause.h"
#include "fwflash/win/PortLayer.h"
#include "tests/native/fwflash/FirmwareBuilder.h"

namespace {

using fwflash::PortLayer;
using fwflash::Reply;
using fwtest::PipePrinter;
using fwtest::PipeUsbDevices;

const std::wstring kGuidTail = L"#6&1a2b3c4d&0&1#{28d78fad-5a12-11d1-ae5b-0000f803a8c2}";

std::wstring DevicePath(const std::wstring& vidPid) { return L"\\\\?\\usb#" + vidPid + kGuidTail; }

class UsbLinkTest : public testing::Test {
 protected:
  PipeUsbDevices devices_;
  // what a reply poll's pause does; real sleeps unless a test says otherwise
  std::function<void(unsigned)> onPause_ = [](unsigned ms) { Sleep(ms); };
  kit::FunctionClock clock_{[this](unsigned ms) { onPause_(ms); }};
  PortLayer ports_{devices_, clock_};
};

TEST_F(UsbLinkTest, NoDeviceListIsMinus3) {
  devices_.interfaces = std::nullopt;
  EXPECT_EQ(ports_.UsbOpen(), -3);
}

TEST_F(UsbLinkTest, OnlyTheFirstTwentyInterfacesAreLookedAt) {
  EXPECT_EQ(ports_.UsbOpen(), -1);
  EXPECT_EQ(devices_.limits(), std::vector<size_t>{20});
}

TEST_F(UsbLinkTest, UnreadableDetailOfAnActiveInterfaceIsMinus2) {
  devices_.interfaces->push_back({fwflash::kActiveInterface, std::nullopt});
  EXPECT_EQ(ports_.UsbOpen(), -2);
}

TEST_F(UsbLinkTest, InactiveInterfacesAndOtherVendorsAreSkipped) {
  PipePrinter printer;
  devices_.interfaces->push_back({0, std::nullopt});  // not active: its detail is never needed
  devices_.interfaces->push_back({3, DevicePath(L"vid_0483&pid_0001")});  // active and default: not exactly active
  devices_.AddActive(DevicePath(L"vid_9999&pid_0001"), printer.name());
  devices_.AddActive(DevicePath(L"VID_0483&PID_5720"), printer.name());
  EXPECT_EQ(ports_.UsbOpen(), 1);
  const auto opens = devices_.opens();
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].path, DevicePath(L"VID_0483&PID_5720"));
}

TEST_F(UsbLinkTest, OpensTheFirstAcceptedDeviceTwiceWriteThenReadBothOverlapped) {
  PipePrinter first, second;
  devices_.AddActive(DevicePath(L"vid_1cbe&pid_0002"), first.name());
  devices_.AddActive(DevicePath(L"vid_0416&pid_0003"), second.name());
  EXPECT_EQ(ports_.UsbOpen(), 1);
  const auto opens = devices_.opens();
  ASSERT_EQ(opens.size(), 2u);
  EXPECT_EQ(opens[0].path, DevicePath(L"vid_1cbe&pid_0002"));
  EXPECT_EQ(opens[0].access, static_cast<DWORD>(GENERIC_READ | GENERIC_WRITE));
  EXPECT_EQ(opens[0].flags, static_cast<DWORD>(FILE_FLAG_OVERLAPPED));
  EXPECT_EQ(opens[1].path, DevicePath(L"vid_1cbe&pid_0002"));
  EXPECT_EQ(opens[1].access, static_cast<DWORD>(GENERIC_READ));
  EXPECT_EQ(opens[1].flags, static_cast<DWORD>(FILE_FLAG_OVERLAPPED));
  const auto record = ports_.UsbLink(1);
  ASSERT_TRUE(record);
  EXPECT_EQ(record->readTimeoutMs, 2000u);
}

TEST_F(UsbLinkTest, Slot0FromTheProgramNameAcceptsItsVendor) {
  PipePrinter printer;
  devices_.AddActive(DevicePath(L"vid_0519&pid_2013"), printer.name());
  EXPECT_EQ(ports_.UsbOpen(), -1);
  ports_.vendors().SetSlot0("vid_0519");
  EXPECT_EQ(ports_.UsbOpen(), 1);
}

TEST_F(UsbLinkTest, WriteHandleIsClosedWhenTheReadOpenFails) {
  PipePrinter printer;
  const std::wstring path = DevicePath(L"vid_0483&pid_0001");
  devices_.AddActive(path, printer.name());
  // take the read pipe's only instance first, so the layer's overlapped open fails
  HANDLE thief = CreateFileW((printer.name() + L"-read").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(thief, INVALID_HANDLE_VALUE);
  EXPECT_EQ(ports_.UsbOpen(), -1);
  EXPECT_TRUE(printer.WriterClosed());
  CloseHandle(thief);
}

TEST_F(UsbLinkTest, LinkNumbersCountUpAndZeroClosesTheLast) {
  PipePrinter a, b;
  devices_.AddActive(DevicePath(L"vid_0483&pid_0001"), a.name());
  EXPECT_EQ(ports_.UsbOpen(), 1);
  devices_.pipes[DevicePath(L"vid_0483&pid_0001")] = b.name();
  EXPECT_EQ(ports_.UsbOpen(), 2);
  EXPECT_FALSE(ports_.UsbClose(3));
  EXPECT_TRUE(ports_.UsbClose(0));  // b's link
  EXPECT_TRUE(b.WriterClosed());
  EXPECT_FALSE(a.WriterClosed());
  EXPECT_TRUE(ports_.UsbLink(1));
  EXPECT_TRUE(ports_.UsbClose(1));
  EXPECT_FALSE(ports_.UsbClose(0));
}

// An upgrade-like session: running flag set, USB selected and connected.
class UsbSessionTest : public UsbLinkTest {
 protected:
  void SetUp() override {
    devices_.AddActive(DevicePath(L"vid_0483&pid_0001"), printer_.name());
    ports_.SetRunning();
    ASSERT_TRUE(ports_.ConnectSelectedPort({fwflash::Transport::Usb, 0, 19200, 0}));
    ASSERT_TRUE(printer_.Connect());
  }
  void TearDown() override {
    ports_.ClearRunning();
    ports_.CloseSelectedPort();
  }
  bool Send(const std::string& bytes) {
    return ports_.SendBytes({reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()});
  }
  static Reply R(const char (&text)[5]) {
    return Reply{static_cast<uint8_t>(text[0]), static_cast<uint8_t>(text[1]), static_cast<uint8_t>(text[2]),
                 static_cast<uint8_t>(text[3])};
  }
  PipePrinter printer_;
};

TEST_F(UsbSessionTest, BytesGoOutWholeAndTheReplyComesBackThroughTheReadThread) {
  const std::string announce("\x1F\x1B\x1F\x00\x00\x01\xF0\x00Tav\x05", 12);
  ASSERT_TRUE(Send(announce));
  EXPECT_EQ(printer_.Read(12), announce);
  ASSERT_TRUE(printer_.Write("Tav\x05"));
  Reply reply{};
  ASSERT_TRUE(ports_.ReceiveReply(reply));
  EXPECT_EQ(reply, R("Tav\x05"));
}

TEST_F(UsbSessionTest, BytesBeyondTheFourthAreDroppedWhenTheReplyIsTaken) {
  ASSERT_TRUE(printer_.Write("ABCDEF"));
  Reply reply{};
  ASSERT_TRUE(ports_.ReceiveReply(reply));
  EXPECT_EQ(reply, R("ABCD"));
  ASSERT_TRUE(printer_.Write("WXYZ"));
  ASSERT_TRUE(ports_.ReceiveReply(reply));
  EXPECT_EQ(reply, R("WXYZ"));
}

TEST_F(UsbSessionTest, BytesThatArriveBeforeACommandBelongToItsReply) {
  ASSERT_TRUE(printer_.Write("QR"));
  Sleep(50);  // let the read thread take them
  ASSERT_TRUE(Send("cmd"));
  ASSERT_TRUE(printer_.Write("ST"));
  Reply reply{};
  ASSERT_TRUE(ports_.ReceiveReply(reply));
  EXPECT_EQ(reply, R("QRST"));
}

TEST_F(UsbSessionTest, NoReplyFailsAfter500PollsOf5Ms) {
  std::vector<unsigned> pauses;
  std::mutex mutex;
  onPause_ = [&](unsigned ms) {
    std::lock_guard lock(mutex);
    pauses.push_back(ms);
  };
  ASSERT_TRUE(printer_.Write("abc"));  // three bytes are no reply
  Reply reply{1, 2, 3, 4};
  EXPECT_FALSE(ports_.ReceiveReply(reply));
  EXPECT_EQ(reply, (Reply{1, 2, 3, 4}));
  EXPECT_EQ(pauses, std::vector<unsigned>(500, 5));
}

TEST_F(UsbSessionTest, AReplyLaterThanTheReadTimeOutIsNotLost) {
  // the read thread's wait gives up after 2 s; the read stays pending and
  // still delivers the reply that comes at 2.5 s
  onPause_ = [](unsigned) { Sleep(10); };
  std::thread late([&] {
    Sleep(2500);
    printer_.Write("LATE");
  });
  Reply reply{};
  const bool got = ports_.ReceiveReply(reply);
  late.join();
  ASSERT_TRUE(got);
  EXPECT_EQ(reply, R("LATE"));
}

TEST_F(UsbSessionTest, AWriteThePrinterStopsTakingFailsAfterTheStallLimit) {
  ports_.SetStalledWriteMs(300);
  // the printer reads nothing: the pipe's 64 KiB fill and the write stalls
  auto sent = std::async(std::launch::async, [&] { return Send(std::string(256 * 1024, 'x')); });
  ASSERT_EQ(sent.wait_for(std::chrono::seconds(10)), std::future_status::ready);
  EXPECT_FALSE(sent.get());
}

TEST_F(UsbLinkTest, AFailedOpenStillStartsTheReadThreadWhichEndsWithTheFlag) {
  ports_.SetRunning();
  EXPECT_FALSE(ports_.ConnectSelectedPort({fwflash::Transport::Usb, 0, 19200, 0}));
  EXPECT_EQ(ports_.linkNumber(), -1);
  ports_.ClearRunning();
  ports_.CloseSelectedPort();  // joins the read thread: it must have ended
  EXPECT_FALSE(ports_.running());
}

TEST_F(UsbLinkTest, ReadThreadEndsAtOnceWhenTheFlagIsClear) {
  EXPECT_EQ(ports_.UsbReadThreadProc(1), 0);
}

TEST_F(UsbLinkTest, WholeUpgradeOverUsbReachesThePrinterByteForByte) {
  PipePrinter printer;
  devices_.AddActive(DevicePath(L"vid_2D84&pid_0001"), printer.name());
  const auto file = fwtest::MakeFirmware(fwtest::Counting(10000, 9), 0xC3);
  auto image = fwflash::FirmwareImage::FromBytes(file);
  ASSERT_TRUE(image);
  std::string received;
  auto served = std::async(std::launch::async, [&] { return printer.Connect() && fwtest::ServeUpgrade(printer, &received); });
  ports_.SetRunning();
  fwflash::SelectedPort port(ports_, {fwflash::Transport::Usb, 0, 19200, 0});
  std::vector<int> progress;
  EXPECT_EQ(fwflash::RunUpgrade(*image, port, [&](int p) { progress.push_back(p); }), fwflash::UpgradeResult::Success);
  EXPECT_TRUE(served.get());
  EXPECT_EQ(received, std::string(file.begin() + 8, file.end()));
  EXPECT_EQ(progress.back(), 100);
  EXPECT_FALSE(ports_.running());
  EXPECT_EQ(ports_.UsbLink(0), std::nullopt);  // closed at the end
}

}  // namespace
