// The main window's start-up, settings file, port controls, USB notices,
// timers and languages.
#include <functional>
#include <thread>

#include "MainWindowFixture.h"

#include "prtbench/base/Messages.h"

namespace consoletest {
namespace {

using prtbench::MakeIpv4;

TEST_F(MainWindowTest, WithoutSettingsFileStartsOnNetWithTheDefaults) {
  Open();
  const prtbench::ConnectionSettings s = link.Settings();
  EXPECT_EQ(s.portType, prtbench::kPortNet);
  EXPECT_TRUE(Checked(IDC_MAIN_PORT_NET));
  EXPECT_TRUE(Checked(IDC_MAIN_PRINTER_RX8));
  EXPECT_EQ(s.comName, "COM1");
  EXPECT_EQ(s.lptName, "LPT1");
  EXPECT_EQ(ComboText(IDC_MAIN_COM_NAME), "COM1");
  EXPECT_EQ(ComboText(IDC_MAIN_LPT_NAME), "LPT1");
  EXPECT_EQ(ComboText(IDC_MAIN_BAUD), "9600");
  EXPECT_EQ(ComboText(IDC_MAIN_FLOW), "RTS");
  EXPECT_EQ(s.printerIp, MakeIpv4(192, 168, 123, 100));
  EXPECT_EQ(s.com.monitorIp, MakeIpv4(192, 168, 123, 100));
  EXPECT_EQ(state.language(), prtbench::Language::English);
  EXPECT_FALSE(Visible(IDC_MAIN_SERIAL_WRITE));
  EXPECT_FALSE(Visible(IDC_MAIN_TABS));
  EXPECT_TRUE(Visible(IDC_MAIN_PORT_NET));
  EXPECT_EQ(Status(), "Status Bar: Real-time display of print status!");
  EXPECT_EQ(Text(IDC_MAIN_CONTENT).substr(Text(IDC_MAIN_CONTENT).size() - 2), "\r\n");
  EXPECT_EQ(Text(IDC_MAIN_REPEAT), "1");
  EXPECT_EQ(Text(IDC_MAIN_PERIOD), "500");
  EXPECT_EQ(Text(IDC_MAIN_DATE), "2016.12.31-13:13:59");
  EXPECT_EQ(SendDlgItemMessageW(main_, IDC_MAIN_COM_NAME, CB_GETCOUNT, 0, 0), 255);
  EXPECT_EQ(SendDlgItemMessageW(main_, IDC_MAIN_TABS, TCM_GETITEMCOUNT, 0, 0), 3);
  EXPECT_TRUE(prompts_.messages().empty());
}

TEST_F(MainWindowTest, StartsFromTheSettingsFileInEnglishWhateverItsLanguage) {
  store_.Put("Printer Address", "IP", "127.0.0.1");
  store_.Put("Port Name", "Com Name", "COM7");
  store_.Put("Port Name", "Lpt Name", "LPT2");
  store_.Put("Printer Set", "Port Select", "1");
  store_.Put("Printer Set", "Printer Select", "0");
  store_.Put("Printer Set", "BaudRate Select", "115200");
  store_.Put("Language Select", "Language", "1");
  Open();
  const prtbench::ConnectionSettings s = link.Settings();
  EXPECT_EQ(s.portType, prtbench::kPortCom);
  EXPECT_TRUE(Checked(IDC_MAIN_PORT_COM));
  EXPECT_EQ(s.printerType, 0);
  EXPECT_TRUE(Checked(IDC_MAIN_PRINTER_POS58));
  EXPECT_EQ(ComboText(IDC_MAIN_COM_NAME), "COM7");
  EXPECT_EQ(s.comName, "COM7");
  EXPECT_EQ(s.lptName, "LPT2");
  EXPECT_EQ(s.baudRate, 115200);
  EXPECT_EQ(ComboText(IDC_MAIN_BAUD), "115200");
  EXPECT_EQ(s.printerIp, kLoopback);
  EXPECT_EQ(state.language(), prtbench::Language::English);
  // the English menu is the window's
  wchar_t first[64] = {};
  GetMenuStringW(GetMenu(main_), 0, first, 64, MF_BYPOSITION);
  EXPECT_STREQ(first, L"File");
}

TEST_F(MainWindowTest, NameTheListLacksReadsBackEmptyAndRateTheListLacksIsKept) {
  store_.Put("Port Name", "Com Name", "XYZ");
  store_.Put("Printer Set", "BaudRate Select", "300");
  Open();
  EXPECT_EQ(ComboText(IDC_MAIN_COM_NAME), "");
  EXPECT_EQ(link.Settings().comName, "");
  EXPECT_EQ(ComboText(IDC_MAIN_BAUD), "");
  EXPECT_EQ(link.Settings().baudRate, 300);
}

TEST_F(MainWindowTest, ProIdOneShowsTheSerialNumberControlsAndTwoDoesNot) {
  store_.Put("Power By Tav 2021", "ProID", "1");
  Open();
  for (int id : {IDC_MAIN_SERIAL_GROUP, IDC_MAIN_SERIAL, IDC_MAIN_SERIAL_INCREMENT, IDC_MAIN_SERIAL_WRITE}) {
    EXPECT_TRUE(Visible(id)) << id;
  }
  Close();
  store_.Put("Power By Tav 2021", "ProID", "2");
  Open();
  EXPECT_FALSE(Visible(IDC_MAIN_SERIAL_WRITE));
}

TEST_F(MainWindowTest, ExitWritesTheSevenKeysInOrder) {
  store_.Put("Language Select", "Language", "1");
  Open();
  Click(IDC_MAIN_PORT_COM);
  Select(IDC_MAIN_COM_NAME, 8);  // COM9
  Select(IDC_MAIN_BAUD, 8);
  Click(IDC_MAIN_PRINTER_POS76);
  Settle();
  Close();
  std::vector<std::string> writes;
  for (const std::string& entry : store_.log()) {
    if (entry.rfind("write ", 0) == 0) writes.push_back(entry);
  }
  EXPECT_EQ(writes, (std::vector<std::string>{
                        "write Printer Address/IP=192.168.123.100",
                        "write Port Name/Com Name=COM9",
                        "write Port Name/Lpt Name=LPT1",
                        "write Printer Set/Port Select=1",
                        "write Printer Set/Printer Select=1",
                        "write Printer Set/BaudRate Select=128000",
                        "write Language Select/Language=0",
                    }));
}

TEST_F(MainWindowTest, ExitKeepsThePrinterAddressLastUsedNotTheBox) {
  Open();
  SetPrinterIp(MakeIpv4(127, 0, 0, 9));
  Close();
  EXPECT_EQ(*store_.Find("Printer Address", "IP"), "192.168.123.100");
}

TEST_F(MainWindowTest, ExitRecordsTheLanguageOfThatMoment) {
  Open();
  Command(IDM_LANGUAGE_CHINESE);
  Close();
  EXPECT_EQ(*store_.Find("Language Select", "Language"), "1");
}

TEST_F(MainWindowTest, ExitClosesTheLinks) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  Close();
  EXPECT_TRUE(devices.OpenDevices().empty());
}

struct EnableCase {
  int radio;
  bool lpt, com;  // LPT list; COM, baud and flow lists
};

class EnableRules : public MainWindowTest, public testing::WithParamInterface<EnableCase> {};

TEST_P(EnableRules, FollowThePortType) {
  Open();
  for (int id : {IDC_MAIN_REFRESH, IDC_MAIN_CONNECT, IDC_MAIN_SET_IP, IDC_MAIN_SET_ID, IDC_MAIN_PING}) {
    EnableWindow(GetDlgItem(main_, id), FALSE);
  }
  Click(GetParam().radio);
  Settle();
  EXPECT_EQ(Enabled(IDC_MAIN_LPT_NAME), GetParam().lpt);
  EXPECT_EQ(Enabled(IDC_MAIN_COM_NAME), GetParam().com);
  EXPECT_EQ(Enabled(IDC_MAIN_BAUD), GetParam().com);
  EXPECT_EQ(Enabled(IDC_MAIN_FLOW), GetParam().com);
  // only NET enables the network buttons; the others leave them as they are
  const bool net = GetParam().radio == IDC_MAIN_PORT_NET;
  for (int id : {IDC_MAIN_REFRESH, IDC_MAIN_CONNECT, IDC_MAIN_SET_IP, IDC_MAIN_SET_ID, IDC_MAIN_PING}) {
    EXPECT_EQ(Enabled(id), net) << id;
  }
  EXPECT_EQ(link.Settings().portType, GetParam().radio - IDC_MAIN_PORT_LPT);
}

INSTANTIATE_TEST_SUITE_P(PortTypes, EnableRules,
                         testing::Values(EnableCase{IDC_MAIN_PORT_LPT, true, false},
                                         EnableCase{IDC_MAIN_PORT_COM, false, true},
                                         EnableCase{IDC_MAIN_PORT_USB, false, false},
                                         EnableCase{IDC_MAIN_PORT_NET, false, false}));

TEST_F(MainWindowTest, StartAppliesTheEnableRulesOfTheStoredPort) {
  store_.Put("Printer Set", "Port Select", "0");
  Open();
  EXPECT_TRUE(Enabled(IDC_MAIN_LPT_NAME));
  EXPECT_FALSE(Enabled(IDC_MAIN_COM_NAME));
}

TEST_F(MainWindowTest, PortChangeClosesEveryLinkAndNamesThePort) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  Click(IDC_MAIN_PORT_USB);
  Settle();
  EXPECT_TRUE(devices.OpenDevices().empty());
  EXPECT_EQ(Status(), "USB:");
  Click(IDC_MAIN_PORT_LPT);
  Settle();
  EXPECT_EQ(Status(), "LPT:");
}

TEST_F(MainWindowTest, PortChoicesApplyWholeWhileANumberFieldIsBad) {
  const struct {
    const char* what;
    std::function<void()> change;
    std::function<bool(const prtbench::ConnectionSettings&)> applied;
  } cases[] = {
      {"port radio", [this] { Click(IDC_MAIN_PORT_COM); },
       [](const prtbench::ConnectionSettings& s) { return s.portType == prtbench::kPortCom; }},
      {"COM list", [this] { Select(IDC_MAIN_COM_NAME, 2); },
       [](const prtbench::ConnectionSettings& s) { return s.comName == "COM3"; }},
      {"LPT list", [this] { Select(IDC_MAIN_LPT_NAME, 1); },
       [](const prtbench::ConnectionSettings& s) { return s.lptName == "LPT2"; }},
      {"printer type", [this] { Click(IDC_MAIN_PRINTER_POS58); },
       [](const prtbench::ConnectionSettings& s) { return s.printerType == 0; }},
  };
  for (const auto& c : cases) {
    Open();
    SetText(IDC_MAIN_REPEAT, "many");
    c.change();
    Settle();
    EXPECT_TRUE(c.applied(link.Settings())) << c.what;
    EXPECT_TRUE(prompts_.messages().empty()) << c.what;
    Close();
  }
}

TEST_F(MainWindowTest, DialogsAndWorkersShowTextsInTheStatusLine) {
  Open();
  prtbench::Context& context = window_->context();
  context.Post([&](const prtbench::SendQueue::Cancelled&) { context.status().Show("from the send queue"); });
  Settle();
  EXPECT_EQ(Status(), "from the send queue");
  Command(IDM_LANGUAGE_CHINESE);
  std::thread worker([&] { context.status().Show(prtbench::Msg::UsbRemoved); });
  worker.join();
  Pump();
  EXPECT_EQ(Status(), "USB打印机已从电脑中断开连接！");
}

TEST_F(MainWindowTest, EnterInANumberBoxKeepsTheWindow) {
  Open();
  SetFocus(GetDlgItem(main_, IDC_MAIN_PERIOD));
  SendMessageW(main_, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
  Pump();
  EXPECT_TRUE(IsWindow(main_));
}

TEST_F(MainWindowTest, BaudListGivesItsRatesAndTheLastEntry128000) {
  Open();
  const int rates[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 128000};
  for (int index = 0; index < 9; ++index) {
    Select(IDC_MAIN_BAUD, index);
    Settle();
    EXPECT_EQ(link.Settings().baudRate, rates[index]);
    EXPECT_EQ(Status(), "BaudRate=" + std::to_string(rates[index]));
  }
}

TEST_F(MainWindowTest, BaudChangeReachesAnOpenComLink) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  const auto open = devices.OpenDevices();
  ASSERT_EQ(open.size(), 1u);
  devices.ClearLog();
  Select(IDC_MAIN_BAUD, 8);
  Settle();
  EXPECT_EQ(devices.Log(), (std::vector<std::string>{"change " + std::to_string(*open.begin()) + " baud=128000"}));
}

TEST_F(MainWindowTest, FlowControlChangeSwitchesXonXoffOnAnOpenComLink) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  const std::string com = std::to_string(*devices.OpenDevices().begin());
  devices.ClearLog();
  Select(IDC_MAIN_FLOW, 3);
  Select(IDC_MAIN_FLOW, 0);
  Settle();
  EXPECT_EQ(devices.Log(), (std::vector<std::string>{"change " + com + " xonxoff=1", "change " + com + " xonxoff=0"}));
}

TEST_F(MainWindowTest, PrintOpensComWithCtsFlowFromTheFlowList) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  Select(IDC_MAIN_FLOW, 1);  // Xon/Xoff: no CTS
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  EXPECT_EQ(CountLog("line "), 1);
  for (const auto& entry : devices.Log()) {
    if (entry.rfind("line ", 0) == 0) {
      EXPECT_NE(entry.find("cts=0"), std::string::npos) << entry;
    }
  }
}

TEST_F(MainWindowTest, ComNameChangeClosesTheComLinkAndTheNextPrintReopensIt) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  Select(IDC_MAIN_COM_NAME, 8);
  Settle();
  EXPECT_EQ(Status(), "Serial Port: COM9");
  EXPECT_TRUE(devices.OpenDevices().empty());
  Select(IDC_MAIN_COM_NAME, 9);
  Click(IDC_MAIN_PRINT);
  Settle();
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  EXPECT_EQ(devices.PathOf(*devices.OpenDevices().begin()), "\\\\.\\COM10");
}

TEST_F(MainWindowTest, LptNameChangeOpensTheNewPortAtOnce) {
  Open();
  Click(IDC_MAIN_PORT_LPT);
  Select(IDC_MAIN_LPT_NAME, 1);
  Settle();
  EXPECT_EQ(Status(), "Open LPT2 Successfully！");
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  devices.missingPaths.insert("LPT3");
  Select(IDC_MAIN_LPT_NAME, 2);
  Settle();
  EXPECT_EQ(Status(), "LPT3 is invalid,Please re-select the parallel port!");
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(MainWindowTest, UsbArrivalOpensThePrinterWhateverThePortType) {
  Open();
  devices.usbInterfaces = std::vector<prtbench::UsbInterface>{{1, std::string("\\\\?\\usb#printer")}};
  UsbNotice(DBT_DEVICEARRIVAL);
  Settle();
  EXPECT_EQ(Status(), "Detection to a USB printer, open the success!");
  EXPECT_EQ(devices.OpenDevices().size(), 1u);
  UsbNotice(DBT_DEVICEREMOVECOMPLETE);
  Settle();
  EXPECT_EQ(Status(), "USB printer is remove from the computer!");
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(MainWindowTest, UsbArrivalThatCannotOpenSaysSo) {
  Open();
  Command(IDM_LANGUAGE_CHINESE);
  UsbNotice(DBT_DEVICEARRIVAL);
  Settle();
  EXPECT_EQ(Status(), "检测到USB打印机，打开失败! 请重新插拔USB或上电!");
}

TEST_F(MainWindowTest, StartTriesTheUsbPrinterOnce) {
  devices.usbInterfaces = std::vector<prtbench::UsbInterface>{{1, std::string("\\\\?\\usb#printer")}};
  Open();
  Settle();
  EXPECT_EQ(CountLog("usb list"), 1);
  EXPECT_EQ(devices.OpenDevices().size(), 1u);
}

TEST_F(MainWindowTest, IdleCloseTimerClosesTheLinks) {
  store_.Put("Printer Set", "Port Select", "1");
  Open();
  SetText(IDC_MAIN_CONTENT, "x");
  Click(IDC_MAIN_PRINT);
  Settle();
  ASSERT_EQ(devices.OpenDevices().size(), 1u);
  SendMessageW(main_, WM_TIMER, 1, 0);
  Settle();
  EXPECT_TRUE(devices.OpenDevices().empty());
}

TEST_F(MainWindowTest, ClockTimerShowsTheLocalTime) {
  Open();
  SendMessageW(main_, WM_TIMER, 2, 0);
  const std::string date = Text(IDC_MAIN_DATE);
  ASSERT_EQ(date.size(), 19u);
  EXPECT_EQ(date[4], '-');
  EXPECT_EQ(date[10], ' ');
  EXPECT_EQ(date[13], ':');
}

TEST_F(MainWindowTest, LanguageCommandsRelabelTheWindowAndChangeMenuAndGreeting) {
  Open();
  Command(IDM_LANGUAGE_CHINESE);
  EXPECT_EQ(state.language(), prtbench::Language::Chinese);
  EXPECT_EQ(Text(IDC_MAIN_PRINT), "打印");
  EXPECT_EQ(Text(IDC_MAIN_PORT_NET), "网口");
  EXPECT_EQ(Text(IDC_MAIN_NEW_ID_LABEL), "新的ID:");
  EXPECT_EQ(Text(IDC_MAIN_SERIAL_WRITE), "Gravar");  // the serial number button names no language
  EXPECT_EQ(Text(IDC_MAIN_CONTENT), "欢迎使用专业POS票据打印机公司生产的针打，热敏系列打印机!\r\n");
  wchar_t first[64] = {};
  GetMenuStringW(GetMenu(main_), 0, first, 64, MF_BYPOSITION);
  EXPECT_STREQ(first, L"文件");
  Command(IDM_LANGUAGE_ENGLISH);
  EXPECT_EQ(state.language(), prtbench::Language::English);
  EXPECT_EQ(Text(IDC_MAIN_PRINT), "Print");
  EXPECT_EQ(Text(IDC_MAIN_DRAWER), "Open cash drawer");
  EXPECT_EQ(Text(IDC_MAIN_SERIAL_WRITE), "Gravar");
  EXPECT_EQ(Text(IDC_MAIN_PORT_USB), "USB");
  EXPECT_EQ(Text(IDC_MAIN_CONTENT),
            "Welcome to use the impact and thermal printer manufactured by professional POS receipt printer "
            "company!\r\n");
  GetMenuStringW(GetMenu(main_), 3, first, 64, MF_BYPOSITION);
  EXPECT_STREQ(first, L"语言");
}

TEST_F(MainWindowTest, TemplateTextsStandUntilALanguageIsChosen) {
  Open();
  EXPECT_EQ(Text(IDC_MAIN_PRINT), "Teste Impressão");
  EXPECT_EQ(Text(IDC_MAIN_COM_GROUP), "Configuração Porta Serial");
  EXPECT_EQ(Text(IDC_MAIN_NEW_ID_LABEL), "新的ID地址;");
  wchar_t caption[64] = {};
  GetWindowTextW(main_, caption, 64);
  EXPECT_STREQ(caption, L"Corvane Printer Tool");
}

TEST_F(MainWindowTest, AcceleratorTableHoldsThePrintKey) {
  HACCEL table = LoadAcceleratorsW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_ACCELERATORS));
  ACCEL keys[16];
  const int n = CopyAcceleratorTableW(table, keys, 16);
  EXPECT_EQ(n, 7);
  bool print = false;
  for (int i = 0; i < n; ++i) print |= keys[i].cmd == IDM_FILE_PRINT && keys[i].key == 'P' && (keys[i].fVirt & FCONTROL);
  EXPECT_TRUE(print);
}

TEST_F(MainWindowTest, TitleIsDarkBlueAndThePictureFrameHasItsPatternAndAHand) {
  Open();
  HDC dc = CreateCompatibleDC(nullptr);
  SendMessageW(main_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
               reinterpret_cast<LPARAM>(GetDlgItem(main_, IDC_MAIN_TITLE)));
  EXPECT_EQ(GetTextColor(dc), RGB(0, 0, 132));
  const auto brush = SendMessageW(main_, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                  reinterpret_cast<LPARAM>(GetDlgItem(main_, IDC_MAIN_PICTURE)));
  LOGBRUSH pattern{};
  ASSERT_NE(brush, 0);
  GetObjectW(reinterpret_cast<HBRUSH>(brush), sizeof pattern, &pattern);
  EXPECT_EQ(pattern.lbStyle, static_cast<UINT>(BS_PATTERN));
  DeleteDC(dc);
  HWND picture = GetDlgItem(main_, IDC_MAIN_PICTURE);
  EXPECT_TRUE(SendMessageW(main_, WM_SETCURSOR, reinterpret_cast<WPARAM>(picture), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)));
  EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
  HFONT font = reinterpret_cast<HFONT>(SendDlgItemMessageW(main_, IDC_MAIN_TITLE, WM_GETFONT, 0, 0));
  LOGFONTW title{};
  GetObjectW(font, sizeof title, &title);
  EXPECT_STREQ(title.lfFaceName, L"Arial");
  EXPECT_EQ(title.lfHeight, 24);
}

TEST_F(MainWindowTest, SystemMenuHoldsTheAboutItem) {
  Open();
  wchar_t text[128] = {};
  GetMenuStringW(GetSystemMenu(main_, FALSE), IDM_ABOUTBOX, text, 128, MF_BYCOMMAND);
  EXPECT_STREQ(text, L"About Test Tools By Tav (&A)...");
}

}  // namespace
}  // namespace prtbenchtest
