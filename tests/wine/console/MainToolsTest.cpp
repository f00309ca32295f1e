// The main window's network tools, serial number writer, firmware updater
// start, Help and About, on the scripted link devices and the recording
// launcher.
#include "MainWindowFixture.h"

#include <algorithm>
#include <utility>

#include "support/Unix.h"
#include "winui/Utf.h"

namespace consoletest {
namespace {

using prtbench::AttemptResult;
using prtbench::Ipv4;
using prtbench::MakeIpv4;

// `relative` in the folder of this test program, as the build lays it out.
std::string BesideTests(const std::string& relative) {
  return winui::Narrow(testsupport::WindowsPath(testsupport::Env("KIT_WINDOWS_BUILD") + "/tests/wine/")) + relative;
}

const std::vector<AttemptResult> kNoConnection = {AttemptResult::TimedOut, AttemptResult::TimedOut,
                                                  AttemptResult::TimedOut};

class ToolsTest : public MainWindowTest {
 protected:
  void SetUp() override {
    store_.Put("Printer Address", "IP", "127.0.0.1");
    store_.Put("Power By Tav 2021", "ProID", "1");
    Open();
  }
  void SetAddress(int id, Ipv4 address) { testsupport::TypeIpAddress(main_, id, address); }
  Ipv4 Address(int id) const { return testsupport::IpAddress(main_, id); }
  void ClickAndSettle(int id) {
    Click(id);
    Settle();
  }
  // Bytes written to the one device open now.
  std::string DeviceBytes() const {
    const auto open = devices.OpenDevices();
    return open.size() == 1 ? devices.Received(*open.begin()) : std::string("no single device");
  }
};

TEST_F(ToolsTest, StartShowsTheComputersAddressOnceTheQueueHasAskedForIt) {
  Settle();
  EXPECT_EQ(Address(IDC_MAIN_LOCAL_IP), MakeIpv4(127, 0, 0, 9));
}

TEST_F(ToolsTest, RefreshShowsTheComputersAddress) {
  localIp_ = MakeIpv4(127, 0, 0, 77);
  SetText(IDC_MAIN_CONTENT, "typed");
  Click(IDC_MAIN_REFRESH);
  EXPECT_EQ(Address(IDC_MAIN_LOCAL_IP), MakeIpv4(127, 0, 0, 77));
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "typed");
}

TEST_F(ToolsTest, ConnectionTestSaysHowItWentSetsThePrinterAddressAndTheDefaultIpRuleMovesTheMonitor) {
  struct Row {
    bool reachable;
    bool defaultIp;
    const char* language;  // "en" or "zh"
    const char* text;
  };
  const Row rows[] = {
      {true, true, "en", "Connection successful"},
      {false, true, "en", "Connection fails"},
      {true, false, "zh", "连接成功"},
      {false, false, "zh", "连接失败"},
  };
  for (const Row& row : rows) {
    const std::string name = row.text;
    Command(row.language == std::string("zh") ? IDM_LANGUAGE_CHINESE : IDM_LANGUAGE_ENGLISH);
    link.UpdateSettings([&](prtbench::ConnectionSettings& s) {
      s.com.defaultIp = row.defaultIp;
      s.com.monitorIp = MakeIpv4(127, 0, 0, 200);
      s.printerIp = MakeIpv4(127, 0, 0, 200);
    });
    if (!row.reachable) devices.attempts.assign(kNoConnection.begin(), kNoConnection.end());
    SetPrinterIp(MakeIpv4(127, 0, 0, 3));
    devices.ClearLog();
    const int waits = prompts_.waitCursors();
    ClickAndSettle(IDC_MAIN_CONNECT);
    EXPECT_EQ(CountLog("connect 127.0.0.3:9100"), row.reachable ? 1 : 3) << name;
    EXPECT_EQ(prompts_.messages().back(), row.text) << name;
    EXPECT_EQ(Status(), row.text) << name;
    EXPECT_GT(prompts_.waitCursors(), waits) << name;
    // a connection that worked stays open for the next NET send to replace
    EXPECT_EQ(devices.OpenSockets().size(), row.reachable ? 1u : 0u) << name;
    EXPECT_EQ(link.Settings().com.monitorIp, row.defaultIp ? MakeIpv4(127, 0, 0, 3) : MakeIpv4(127, 0, 0, 200))
        << name;
    // what Printer.ini keeps at exit, reached or not
    EXPECT_EQ(link.Settings().printerIp, MakeIpv4(127, 0, 0, 3)) << name;
  }
}

TEST_F(ToolsTest, SetNewIpOverNetSendsTheAddressToPort4000AndReportsEachOutcome) {
  struct Row {
    const char* name;
    std::vector<AttemptResult> attempts;
    std::deque<int> sendResults;
    std::vector<std::string> boxes;
    bool set;
  };
  const std::string failed = "The printer address is set to fail,Please re-set!";
  const Row rows[] = {
      {"set", {}, {}, {"Printer address set success！"}, true},
      {"no connection", kNoConnection, {}, {"Connection fails!", failed}, false},
      {"send refused", {}, {prtbench::kSocketError}, {failed}, false},
  };
  for (const Row& row : rows) {
    SetPrinterIp(MakeIpv4(127, 0, 0, 1));
    SetAddress(IDC_MAIN_NEW_IP, MakeIpv4(127, 0, 0, 66));
    link.UpdateSettings([](prtbench::ConnectionSettings& s) { s.com.monitorIp = MakeIpv4(127, 0, 0, 200); });
    devices.attempts.assign(row.attempts.begin(), row.attempts.end());
    devices.sendResults = row.sendResults;
    devices.ClearLog();
    const size_t shown = prompts_.messages().size();
    ClickAndSettle(IDC_MAIN_SET_IP);
    const std::vector<std::string> messages = prompts_.messages();
    EXPECT_EQ(std::vector<std::string>(messages.begin() + static_cast<long>(shown), messages.end()), row.boxes)
        << row.name;
    EXPECT_EQ(Status(), row.boxes.back()) << row.name;
    EXPECT_EQ(CountLog("connect 127.0.0.1:4000"), row.attempts.empty() ? 1 : 3) << row.name;
    EXPECT_EQ(CountLog("connect 127.0.0.1:9100"), 0) << row.name;
    if (row.set) {
      EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("\x1f\x1b\x1f\x22\x7f\x00\x00\x42", 8)}))
          << row.name;
    }
    EXPECT_TRUE(devices.OpenSockets().empty()) << row.name;
    EXPECT_EQ(Address(IDC_MAIN_PRINTER_IP), row.set ? MakeIpv4(127, 0, 0, 66) : MakeIpv4(127, 0, 0, 1)) << row.name;
    EXPECT_EQ(link.Settings().com.monitorIp, MakeIpv4(127, 0, 0, 1)) << row.name;
    EXPECT_TRUE(adapter_.calls.empty()) << row.name;  // this computer is in the printer's subnet
  }
}

TEST_F(ToolsTest, SetNewIpSendsToTheNewAddressAfterASuccess) {
  SetAddress(IDC_MAIN_NEW_IP, MakeIpv4(127, 0, 0, 66));
  ClickAndSettle(IDC_MAIN_SET_IP);
  SetText(IDC_MAIN_CONTENT, "A");
  ClickAndSettle(IDC_MAIN_PRINT);
  EXPECT_EQ(CountLog("connect 127.0.0.66:9100"), 1);
}

// The run's steps are the core's; here: its send, its report and the box.
TEST_F(ToolsTest, SetNewIpFromAnotherSubnetSendsThroughTheMovedAdapterAndReportsARefusedGateway) {
  onPause_ = [this](unsigned ms) { adapter_.calls.push_back("pause " + std::to_string(ms)); };
  localIp_ = MakeIpv4(192, 168, 1, 20);
  SetPrinterIp(MakeIpv4(192, 168, 123, 100));
  SetAddress(IDC_MAIN_NEW_IP, MakeIpv4(127, 0, 0, 66));
  adapter_.adapter = prtbench::AdapterSettings{};
  adapter_.results = {0, 66};
  ClickAndSettle(IDC_MAIN_SET_IP);
  EXPECT_EQ(adapter_.calls,
            (std::vector<std::string>{"find", "EnableStatic 192.168.123.253/255.255.255.0", "SetGateways 192.168.1.1/1",
                                      "pause 5000", "pause 3000", "EnableDHCP", "SetGateways", "release"}));
  EXPECT_EQ(prompts_.messages().back(), "Printer address set success！");
  EXPECT_EQ(Status(), "The temporary gateway was refused (SetGateways returned 66): the new address was sent without it.");
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("\x1f\x1b\x1f\x22\x7f\x00\x00\x42", 8)}));
  EXPECT_EQ(Address(IDC_MAIN_PRINTER_IP), MakeIpv4(127, 0, 0, 66));
}

TEST_F(ToolsTest, SetNewIpAskedAgainWhileTheAdapterIsMovedMovesItAgainOnceItIsBack) {
  localIp_ = MakeIpv4(192, 168, 1, 20);
  SetPrinterIp(MakeIpv4(192, 168, 123, 100));
  adapter_.adapter = prtbench::AdapterSettings{};
  bool askedAgain = false;
  onPause_ = [&](unsigned ms) {
    // the computer's address follows its adapter; the second Set IP comes
    // while the first run holds the adapter in the printer's subnet
    if (ms == 5000) localIp_ = MakeIpv4(192, 168, 123, 253);
    if (ms == 5000 && !std::exchange(askedAgain, true)) Click(IDC_MAIN_SET_IP);
    if (ms == 3000) localIp_ = MakeIpv4(192, 168, 1, 20);
  };
  ClickAndSettle(IDC_MAIN_SET_IP);
  EXPECT_EQ(std::count(adapter_.calls.begin(), adapter_.calls.end(), "EnableStatic 192.168.123.253/255.255.255.0"), 2);
  EXPECT_EQ(std::count(adapter_.calls.begin(), adapter_.calls.end(), "EnableDHCP"), 2);
  EXPECT_EQ(Connections().size(), 2u);
  EXPECT_EQ(localIp_.load(), MakeIpv4(192, 168, 1, 20));
}

TEST_F(ToolsTest, SetNewIpOverComSendsThe91FrameThroughTheLink) {
  Click(IDC_MAIN_PORT_COM);
  SetAddress(IDC_MAIN_NEW_IP, MakeIpv4(192, 168, 1, 100));
  ClickAndSettle(IDC_MAIN_SET_IP);
  EXPECT_EQ(DeviceBytes(), std::string("\x1f\x1b\x1f\x91\x00\x49\x50\xc0\xa8\x01\x64", 11));
  EXPECT_EQ(CountLog("connect"), 0);
  EXPECT_TRUE(prompts_.messages().empty());
  EXPECT_EQ(Status(), "COM1 has been sent the data,if the printer is no action,please detect connection! "
                      "current sended:11 bytes,total sended:11 bytes ");
}

TEST_F(ToolsTest, NewIdGoesToPort4000OverNetAndIsRefusedOverTheOtherPorts) {
  SetAddress(IDC_MAIN_NEW_ID, MakeIpv4(0, 0, 0x12, 0x34));
  ClickAndSettle(IDC_MAIN_SET_ID);
  EXPECT_EQ(Connections(), (std::vector<std::string>{std::string("\x1f\x1b\x1f\x33\x00\x00\x12\x34\x00", 9)}));
  EXPECT_EQ(CountLog("connect 127.0.0.1:4000"), 1);
  EXPECT_EQ(Status(), "Network send data successfully");
  EXPECT_TRUE(devices.OpenSockets().empty());

  devices.attempts.assign(kNoConnection.begin(), kNoConnection.end());
  ClickAndSettle(IDC_MAIN_SET_ID);
  EXPECT_EQ(Status().rfind("Network connection failed!", 0), 0u) << Status();

  for (int port : {IDC_MAIN_PORT_COM, IDC_MAIN_PORT_USB}) {
    Click(port);
    Command(IDM_LANGUAGE_CHINESE);
    devices.ClearLog();
    ClickAndSettle(IDC_MAIN_SET_ID);
    EXPECT_EQ(prompts_.messages().back(), "新的ID只能通过网口设置：请选择网口后重试！") << port;
    EXPECT_EQ(Status(), "新的ID只能通过网口设置：请选择网口后重试！") << port;
    EXPECT_TRUE(devices.Log().empty()) << port;
  }
}

TEST_F(ToolsTest, PingStartsPingForeverAtThePrinterIp) {
  SetPrinterIp(MakeIpv4(127, 0, 0, 5));
  Click(IDC_MAIN_PING);
  EXPECT_EQ(launcher_.launches(), (std::vector<std::string>{"C:\\windows\\system32\\ping.exe -t 127.0.0.5"}));
  EXPECT_EQ(CountLog("connect"), 0);
}

TEST_F(ToolsTest, SerialNumberIsWrittenAndCountsUp) {
  Click(IDC_MAIN_PORT_COM);
  SetText(IDC_MAIN_SERIAL, "AB00123");
  ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
  EXPECT_EQ(DeviceBytes(), "\x1f\x1b\x02\x13\x14\xba\x77\x07" "AB00123");
  EXPECT_EQ(Text(IDC_MAIN_SERIAL), "AB00124");
  ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
  EXPECT_EQ(Text(IDC_MAIN_SERIAL), "AB00125");
  Click(IDC_MAIN_SERIAL_INCREMENT);  // "+1" off
  ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
  EXPECT_EQ(Text(IDC_MAIN_SERIAL), "AB00125");
  EXPECT_EQ(DeviceBytes(), "\x1f\x1b\x02\x13\x14\xba\x77\x07" "AB00123"
                           "\x1f\x1b\x02\x13\x14\xba\x77\x07" "AB00124"
                           "\x1f\x1b\x02\x13\x14\xba\x77\x07" "AB00125");
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(ToolsTest, SerialNumberPastNinesGrowsThenIsRefused) {
  Click(IDC_MAIN_PORT_COM);
  for (const char* bad : {"1234", "AB0012x", ""}) {
    SetText(IDC_MAIN_SERIAL, bad);
    ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
    EXPECT_EQ(Text(IDC_MAIN_SERIAL), bad);
  }
  SetText(IDC_MAIN_SERIAL, "AB99999");
  ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
  EXPECT_EQ(Text(IDC_MAIN_SERIAL), "AB100000");
  Command(IDM_LANGUAGE_CHINESE);  // the box is English in both languages
  ClickAndSettle(IDC_MAIN_SERIAL_WRITE);
  EXPECT_EQ(prompts_.messages(), std::vector<std::string>(4, "SN input Error！"));
  EXPECT_EQ(DeviceBytes(), "\x1f\x1b\x02\x13\x14\xba\x77\x07" "AB99999");
}

TEST_F(ToolsTest, FirmwareUpdaterStartsWithTheTokenOnceEveryLinkIsClosed) {
  Click(IDC_MAIN_PORT_COM);
  SetText(IDC_MAIN_CONTENT, "A");
  ClickAndSettle(IDC_MAIN_PRINT);
  devices.usbInterfaces = std::vector<prtbench::UsbInterface>{{1, std::string("\\\\?\\usb#printer")}};
  UsbNotice(DBT_DEVICEARRIVAL);
  ClickAndSettle(IDC_MAIN_CONNECT);
  ASSERT_EQ(devices.OpenDevices().size(), 2u);
  ASSERT_EQ(devices.OpenSockets().size(), 1u);
  size_t openAtLaunch = 99;
  launcher_.onOpen = [&] { openAtLaunch = devices.OpenDevices().size() + devices.OpenSockets().size(); };
  ClickAndSettle(IDC_MAIN_FIRMWARE);
  EXPECT_EQ(launcher_.launches(), (std::vector<std::string>{BesideTests("myTitle\\fwflash.exe") + " MerrowByQuint"}));
  EXPECT_EQ(openAtLaunch, 0u);
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{"Connection successful"}));
}

TEST_F(ToolsTest, FirmwareUpdaterThatCannotStartIsReported) {
  launcher_.AnswerOpen(false);
  ClickAndSettle(IDC_MAIN_FIRMWARE);
  const std::string text = "Failed to start the firmware updater myTitle\\fwflash.exe: make sure it is in the "
                           "folder myTitle beside this program!";
  EXPECT_EQ(prompts_.messages(), (std::vector<std::string>{text}));
  EXPECT_EQ(Status(), text);
  launcher_.AnswerOpen(true);
  ClickAndSettle(IDC_MAIN_FIRMWARE);
  EXPECT_EQ(Status(), "");
}

TEST_F(ToolsTest, HelpShowsTheKeys) {
  Command(IDM_HELP);
  ASSERT_EQ(prompts_.messages().size(), 1u);
  EXPECT_NE(prompts_.messages()[0].find("Ctrl+Shift+A"), std::string::npos);
}

TEST_F(ToolsTest, AboutBoxOpensFromTheSystemMenuAndTheHelpMenu) {
  for (bool systemMenu : {true, false}) {
    std::string caption, texts;
    bool icon = false;
    testsupport::WhenModal([&](HWND box) {
      caption = testsupport::WindowText(box);
      for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        // the icon's text is its resource number
        if (SendMessageW(child, STM_GETICON, 0, 0) != 0) {
          icon = true;
          continue;
        }
        texts += testsupport::WindowText(child) + "|";
      }
      testsupport::Click(box, IDOK);
    });
    if (systemMenu) {
      SendMessageW(main_, WM_SYSCOMMAND, IDM_ABOUTBOX, 0);
    } else {
      Command(IDM_ABOUT);
    }
    EXPECT_EQ(caption, "About Printer") << systemMenu;
    EXPECT_EQ(texts, "POS Printer，V3.2|OK|") << systemMenu;
    EXPECT_TRUE(icon) << systemMenu;
  }
}

}  // namespace
}  // namespace consoletest
