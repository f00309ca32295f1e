// The Com Settings dialog in-process, driven with real messages from inside
// its modal loop: lists, Lock, Default IP at once and through Cancel, the OK
// mapping, texts by language, the light background and drawn buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>

#include "prtbench/console/win/ComSetDialog.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"

namespace {

using namespace prtbench;

constexpr Ipv4 kBoxIp = MakeIpv4(127, 0, 0, 77);

using testsupport::Checked;
using testsupport::Click;
using testsupport::ComboEntries;
using testsupport::ComboIndex;
using testsupport::Enabled;
using testsupport::IpAddress;
using testsupport::SelectCombo;
using testsupport::Text;
using testsupport::TypeIpAddress;

class ComSetDialogTest : public testing::Test {
 protected:
  ComSetDialogTest() {
    link_.UpdateSettings([](ConnectionSettings& s) { s.com.monitorIp = MakeIpv4(127, 0, 0, 5); });
    app_.context.SetLanguage(Language::English);
  }
  bool Show(std::function<void(HWND)> script) {
    testsupport::WhenModal(std::move(script));
    return ShowComSetDialog(nullptr, app_.context, kBoxIp);
  }

  testsupport::TestContext app_;
  PrinterLink& link_ = app_.link;
};

TEST_F(ComSetDialogTest, OpensOnTheCurrentValuesLockedWithTheAddressFollowingThePrinterIp) {
  link_.UpdateSettings([](ConnectionSettings& s) {
    s.com.byteSize = 7;
    s.com.parity = 2;
    s.com.stopBits = 2;
    s.com.timeoutSeconds = 12;
  });
  EXPECT_FALSE(Show([](HWND dialog) {
    EXPECT_EQ(ComboIndex(dialog, IDC_COMSET_BYTESIZE), 3);
    EXPECT_EQ(ComboIndex(dialog, IDC_COMSET_PARITY), 2);
    EXPECT_EQ(ComboIndex(dialog, IDC_COMSET_STOPBITS), 2);
    EXPECT_EQ(ComboIndex(dialog, IDC_COMSET_TIMEOUT), 11);
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_COMSET_TIMEOUT, CB_GETCOUNT, 0, 0), 30);
    EXPECT_TRUE(Checked(dialog, IDC_COMSET_LOCK));
    EXPECT_TRUE(Checked(dialog, IDC_COMSET_DEFAULT_IP));
    for (int id : {IDC_COMSET_BYTESIZE, IDC_COMSET_PARITY, IDC_COMSET_STOPBITS}) EXPECT_FALSE(Enabled(dialog, id));
    EXPECT_TRUE(Enabled(dialog, IDC_COMSET_TIMEOUT));
    EXPECT_FALSE(Enabled(dialog, IDC_COMSET_MONITOR_IP));
    EXPECT_EQ(IpAddress(dialog, IDC_COMSET_MONITOR_IP), MakeIpv4(127, 0, 0, 5));
    Click(dialog, IDCANCEL);
  }));
}

TEST_F(ComSetDialogTest, OpeningClosesTheComLinkAndTheSocketOnly) {
  for (int type : {kPortLpt, kPortCom, kPortNet}) {
    link_.UpdateSettings([type](ConnectionSettings& s) { s.portType = type; });
    ASSERT_EQ(link_.OpenPort(), 1);
  }
  bool comOpenWhileShown = true;
  bool netOpenWhileShown = true;
  Show([&](HWND dialog) {
    app_.Drain();
    comOpenWhileShown = link_.IsOpen(kPortCom);
    netOpenWhileShown = link_.IsOpen(kPortNet);
    Click(dialog, IDCANCEL);
  });
  EXPECT_FALSE(comOpenWhileShown);
  EXPECT_FALSE(netOpenWhileShown);
  EXPECT_TRUE(link_.IsOpen(kPortLpt));
}

TEST_F(ComSetDialogTest, OpensWhileASendRunsAndClosesTheLinkBehindIt) {
  link_.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortCom; });
  HANDLE writing = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  DWORD held = WAIT_FAILED;
  app_.devices.onWrite = [&] {
    SetEvent(writing);
    held = WaitForSingleObject(release, 5000);
  };
  app_.Post([this](const SendQueue::Cancelled&) { link_.SendData("held"); });
  ASSERT_EQ(WaitForSingleObject(writing, 5000), WAIT_OBJECT_0);
  // the dialog shows while the send still holds the link
  Show([&](HWND dialog) {
    SetEvent(release);
    Click(dialog, IDCANCEL);
  });
  app_.Drain();
  EXPECT_EQ(held, WAIT_OBJECT_0);
  EXPECT_FALSE(link_.IsOpen(kPortCom));
  EXPECT_EQ(app_.devices.Received(1), "held");
  CloseHandle(writing);
  CloseHandle(release);
}

TEST_F(ComSetDialogTest, LockClickedOffAndOnEnablesAndDisablesTheSerialLists) {
  Show([](HWND dialog) {
    Click(dialog, IDC_COMSET_LOCK);
    EXPECT_FALSE(Checked(dialog, IDC_COMSET_LOCK));
    for (int id : {IDC_COMSET_BYTESIZE, IDC_COMSET_PARITY, IDC_COMSET_STOPBITS}) EXPECT_TRUE(Enabled(dialog, id));
    Click(dialog, IDC_COMSET_LOCK);
    for (int id : {IDC_COMSET_BYTESIZE, IDC_COMSET_PARITY, IDC_COMSET_STOPBITS}) EXPECT_FALSE(Enabled(dialog, id));
    Click(dialog, IDCANCEL);
  });
}

TEST_F(ComSetDialogTest, OkStoresTheListsMappingAndTheAddress) {
  EXPECT_TRUE(Show([](HWND dialog) {
    Click(dialog, IDC_COMSET_LOCK);
    Click(dialog, IDC_COMSET_DEFAULT_IP);  // off: the address can be typed
    SelectCombo(dialog, IDC_COMSET_BYTESIZE, 2);
    SelectCombo(dialog, IDC_COMSET_PARITY, 3);
    SelectCombo(dialog, IDC_COMSET_STOPBITS, 1);
    SelectCombo(dialog, IDC_COMSET_TIMEOUT, 9);
    TypeIpAddress(dialog, IDC_COMSET_MONITOR_IP, MakeIpv4(127, 0, 0, 99));
    Click(dialog, IDOK);
  }));
  const ComSettings com = link_.Settings().com;
  EXPECT_EQ(com.byteSize, 6);
  EXPECT_EQ(com.parity, 3);
  EXPECT_EQ(com.stopBits, 1);
  EXPECT_EQ(com.timeoutSeconds, 10);
  EXPECT_EQ(com.monitorIp, MakeIpv4(127, 0, 0, 99));
  EXPECT_FALSE(com.defaultIp);
}

TEST_F(ComSetDialogTest, StopBitsTwoIsStoredAsTwo) {
  Show([](HWND dialog) {
    Click(dialog, IDC_COMSET_LOCK);
    SelectCombo(dialog, IDC_COMSET_STOPBITS, 2);
    Click(dialog, IDOK);
  });
  EXPECT_EQ(link_.Settings().com.stopBits, 2);
}

TEST_F(ComSetDialogTest, OkWithDefaultIpStoresThePrinterIpAsTheMonitorIp) {
  link_.UpdateSettings([](ConnectionSettings& s) { s.com.defaultIp = false; });
  Show([](HWND dialog) {
    EXPECT_TRUE(Enabled(dialog, IDC_COMSET_MONITOR_IP));
    Click(dialog, IDC_COMSET_DEFAULT_IP);
    EXPECT_EQ(IpAddress(dialog, IDC_COMSET_MONITOR_IP), kBoxIp);
    EXPECT_FALSE(Enabled(dialog, IDC_COMSET_MONITOR_IP));
    Click(dialog, IDOK);
  });
  EXPECT_EQ(link_.Settings().com.monitorIp, kBoxIp);
  EXPECT_TRUE(link_.Settings().com.defaultIp);
}

TEST_F(ComSetDialogTest, DefaultIpTakesEffectAtOnceAndSurvivesCancel) {
  bool switchWhileOpen = true;
  EXPECT_FALSE(Show([this, &switchWhileOpen](HWND dialog) {
    Click(dialog, IDC_COMSET_LOCK);
    SelectCombo(dialog, IDC_COMSET_BYTESIZE, 0);
    Click(dialog, IDC_COMSET_DEFAULT_IP);
    switchWhileOpen = link_.Settings().com.defaultIp;
    EXPECT_TRUE(Enabled(dialog, IDC_COMSET_MONITOR_IP));
    EXPECT_EQ(IpAddress(dialog, IDC_COMSET_MONITOR_IP), MakeIpv4(127, 0, 0, 5));  // unchanged when switched off
    TypeIpAddress(dialog, IDC_COMSET_MONITOR_IP, MakeIpv4(127, 0, 0, 66));
    Click(dialog, IDCANCEL);
  }));
  EXPECT_FALSE(switchWhileOpen);
  const ComSettings com = link_.Settings().com;
  EXPECT_FALSE(com.defaultIp);
  EXPECT_EQ(com.byteSize, 8);  // Cancel keeps nothing else
  EXPECT_EQ(com.monitorIp, MakeIpv4(127, 0, 0, 5));
}

TEST_F(ComSetDialogTest, TextsFollowTheLanguageFlag) {
  Show([](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_COMSET_SERIAL_GROUP), "ComSet:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_BYTESIZE_LABEL), "ByteSize:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_PARITY_LABEL), "Parity:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_STOPBITS_LABEL), "StopBits:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_NET_GROUP), "NetSet:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_TIMEOUT_LABEL), "TimeOut:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_HINT),
              "(Sure the printer is properly connected but the connection fails,you can try to increase the timeout, "
              "the default timeout 1s)");
    EXPECT_EQ(Text(dialog, IDC_COMSET_MONITOR_LABEL), "MonitorIP:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_DEFAULT_IP), "Default IP:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_LOCK), "Lock");
    EXPECT_EQ(Text(dialog, IDOK), "OK");
    EXPECT_EQ(Text(dialog, IDCANCEL), "Cancel");
    EXPECT_EQ(testsupport::WindowText(dialog), "Com Settings");
    Click(dialog, IDCANCEL);
  });
  app_.context.SetLanguage(Language::Chinese);
  Show([](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_COMSET_SERIAL_GROUP), "串口设置:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_BYTESIZE_LABEL), "数据位:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_PARITY_LABEL), "奇偶校验:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_STOPBITS_LABEL), "停止位:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_NET_GROUP), "网口设置:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_TIMEOUT_LABEL), "连接超时:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_HINT), "当确认打印机已正确连接却连接失败时,可尝试加大超时,程序默认超时1s");
    EXPECT_EQ(Text(dialog, IDC_COMSET_MONITOR_LABEL), "监控IP:");
    EXPECT_EQ(Text(dialog, IDC_COMSET_DEFAULT_IP), "默认IP:");
    EXPECT_EQ(Text(dialog, IDOK), "确定");
    EXPECT_EQ(Text(dialog, IDCANCEL), "取消");
    Click(dialog, IDCANCEL);
  });
}

TEST_F(ComSetDialogTest, ListsHoldTheirEntries) {
  Show([](HWND dialog) {
    EXPECT_EQ(ComboEntries(dialog, IDC_COMSET_BYTESIZE), (std::vector<std::string>{"4", "5", "6", "7", "8"}));
    EXPECT_EQ(ComboEntries(dialog, IDC_COMSET_PARITY), (std::vector<std::string>{"None", "ODD", "EVEN", "MARK", "SPACE"}));
    EXPECT_EQ(ComboEntries(dialog, IDC_COMSET_STOPBITS), (std::vector<std::string>{"1", "1.5", "2"}));
    const auto timeouts = ComboEntries(dialog, IDC_COMSET_TIMEOUT);
    ASSERT_EQ(timeouts.size(), 30u);
    EXPECT_EQ(timeouts.front(), "1s");
    EXPECT_EQ(timeouts.back(), "30s");
    Click(dialog, IDCANCEL);
  });
}

TEST_F(ComSetDialogTest, PaintsTheLightBackgroundAndDrawsItsButtons) {
  Show([](HWND dialog) {
    HDC dc = GetDC(dialog);
    const auto brush = reinterpret_cast<HBRUSH>(
        SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_COMSET_HINT))));
    ReleaseDC(dialog, dc);
    LOGBRUSH info{};
    ASSERT_NE(brush, nullptr);
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(239, 247, 255));
    for (int id : {IDOK, IDCANCEL}) {
      EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    Click(dialog, IDCANCEL);
  });
}

}  // namespace
