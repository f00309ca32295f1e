// The Auto Set IP dialog in-process on the datagram seam's double: the search
// and its list, selection, DHCP, Save's bytes, the messages when the port is
// taken or a receive fails, one search at a time, Test Print, the texts.
#include <gtest/gtest.h>
#include <windows.h>

#include <deque>
#include <set>

#include "FakeDatagramSockets.h"
#include "prtbench/nettools/PrinterSearch.h"
#include "prtbench/nettools/win/AutoIpDialog.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"
#include "winui/Utf.h"

namespace {

using namespace prtbench;
using namespace nettest;
using namespace testsupport;

std::string B(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text += static_cast<char>(b);
  return text;
}

// A found reply from MAC 00-1B-A5-3C-7E-<last>: 127.0.0.<host>/255.255.255.0,
// gateway 127.0.0.1, port bytes as given, DHCP as given.
std::string Found(int last, int host, int portLow = 0x8C, int portHigh = 0x23, int dhcp = 0) {
  return "LM0001FOUND" + B({0x00, 0x1B, 0xA5, 0x3C, 0x7E, last, 0x5A, 0x5A, 127,     0,        0,   host,
                            255,  255,  255,  0,    127,  0,    0,    1,    portLow, portHigh, dhcp});
}

int Lines(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_GETCOUNT, 0, 0)); }

std::vector<std::string> ListLines(HWND dialog) {
  std::vector<std::string> lines;
  for (int i = 0; i < Lines(dialog); ++i) {
    wchar_t text[64] = {};
    SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
    lines.push_back(winui::Narrow(text));
  }
  return lines;
}

// Selects line `index` as the user does.
void ChooseLine(HWND dialog, int index) {
  SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_SETCURSEL, index, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AUTOIP_LIST, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_AUTOIP_LIST)));
}

class AutoIpDialogTest : public testing::Test {
 protected:
  AutoIpDialogTest() { app_.context.SetLanguage(Language::English); }
  void Show(std::function<void(HWND)> script) {
    WhenModal(std::move(script));
    ShowAutoIpDialog(nullptr, app_.context, sockets_);
    app_.Drain();
  }
  // Searches and waits until `lines` lines show.
  void Search(HWND dialog, std::vector<std::string> replies, int lines) {
    const size_t before = sockets_.Broadcasts().size();
    Click(dialog, IDC_AUTOIP_SEARCH);
    ASSERT_TRUE(sockets_.WaitBroadcasts(before + 1));
    for (auto& reply : replies) sockets_.Deliver(std::move(reply));
    ASSERT_TRUE(PumpUntil([&] { return sockets_.WaitTaken(0) && Lines(dialog) == lines; })) << Lines(dialog);
  }
  std::vector<std::string> Broadcasts() const { return sockets_.Broadcasts(); }

  testsupport::TestContext app_;
  FakeDatagramSockets sockets_;
};

TEST_F(AutoIpDialogTest, OpensWithPort9100DhcpOffAndTestPrintHidden) {
  const struct {
    Language language;
    std::string caption;
    std::vector<std::pair<int, std::string>> texts;
  } cases[] = {
      {Language::English,
       "Auto Set IP",
       {{IDC_AUTOIP_SEARCH, "Search"},
        {IDC_AUTOIP_SAVE, "Save"},
        {IDC_AUTOIP_GROUP, "Setting"},
        {IDC_AUTOIP_IP_LABEL, "IP Address"},
        {IDC_AUTOIP_MASK_LABEL, "Subnet Mask"},
        {IDC_AUTOIP_GATEWAY_LABEL, "GateWay"},
        {IDC_AUTOIP_PORT_LABEL, "Port"},
        {IDC_AUTOIP_DHCP, "DHCP Setting(Use DHCP)"},
        {IDC_AUTOIP_TEST_PRINT, "TestPrint"}}},
      {Language::Chinese,
       "自动设置IP",
       {{IDC_AUTOIP_SEARCH, "查找"},
        {IDC_AUTOIP_SAVE, "保存"},
        {IDC_AUTOIP_GROUP, "设置"},
        {IDC_AUTOIP_IP_LABEL, "IP地址"},
        {IDC_AUTOIP_MASK_LABEL, "子网掩码"},
        {IDC_AUTOIP_GATEWAY_LABEL, "网关"},
        {IDC_AUTOIP_PORT_LABEL, "端口号"},
        {IDC_AUTOIP_DHCP, "动态地址"},
        {IDC_AUTOIP_TEST_PRINT, "测试打印"}}},
  };
  for (const auto& c : cases) {
    app_.context.SetLanguage(c.language);
    Show([&c](HWND dialog) {
      EXPECT_EQ(WindowText(dialog), c.caption);
      for (const auto& [id, text] : c.texts) EXPECT_EQ(Text(dialog, id), text) << id;
      EXPECT_EQ(Text(dialog, IDC_AUTOIP_PORT), "9100");
      EXPECT_FALSE(Checked(dialog, IDC_AUTOIP_DHCP));
      EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_AUTOIP_TEST_PRINT)));
      EXPECT_TRUE(Enabled(dialog, IDC_AUTOIP_IP));
      EXPECT_EQ(Lines(dialog), 0);
      SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
  }
  EXPECT_TRUE(Broadcasts().empty());
}

TEST_F(AutoIpDialogTest, SearchListsOneSortedLinePerMacAndTheUsersChoiceFillsTheFields) {
  Show([this](HWND dialog) {
    Search(dialog,
           {Found(0x22, 22), "LM0001FIND", Found(0x11, 11, 0x50, 0x00, 1), Found(0x22, 99),
            Found(0x11, 11).substr(0, 33), Found(0x33, 33) + "x"},
           2);
    EXPECT_EQ(Broadcasts(), (std::vector<std::string>{"9000>9000:LM0001FIND"}));
    EXPECT_EQ(ListLines(dialog), (std::vector<std::string>{"00-1B-A5-3C-7E-11", "00-1B-A5-3C-7E-22"}));
    EXPECT_EQ(SendDlgItemMessageW(dialog, IDC_AUTOIP_LIST, LB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_IP), 0u);  // a selection by the program fills nothing
    ChooseLine(dialog, 1);
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_IP), MakeIpv4(127, 0, 0, 22));  // the first reply's record
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_MASK), MakeIpv4(255, 255, 255, 0));
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_GATEWAY), MakeIpv4(127, 0, 0, 1));
    EXPECT_EQ(Text(dialog, IDC_AUTOIP_PORT), "9100");
    EXPECT_FALSE(Checked(dialog, IDC_AUTOIP_DHCP));
    ChooseLine(dialog, 0);
    EXPECT_EQ(IpAddress(dialog, IDC_AUTOIP_IP), MakeIpv4(127, 0, 0, 11));
    EXPECT_EQ(Text(dialog, IDC_AUTOIP_PORT), "80");
    EXPECT_TRUE(Checked(dialog, IDC_AUTOIP_DHCP));
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
}

TEST_F(AutoIpDialogTest, SaveBroadcastsTheFieldsWithPort9100AndTheDhcpBox) {
  Show([this](HWND dialog) {
    Search(dialog, {Found(0x11, 11, 0x50, 0x00)}, 1);
    ChooseLine(dialog, 0);
    TypeIpAddress(dialog, IDC_AUTOIP_IP, MakeIpv4(192, 168, 1, 120));
    TypeIpAddress(dialog, IDC_AUTOIP_GATEWAY, MakeIpv4(192, 168, 1, 254));
    Click(dialog, IDC_AUTOIP_SAVE);
    Click(dialog, IDC_AUTOIP_DHCP);
    for (int id : {IDC_AUTOIP_IP, IDC_AUTOIP_MASK, IDC_AUTOIP_GATEWAY}) EXPECT_FALSE(Enabled(dialog, id)) << id;
    Click(dialog, IDC_AUTOIP_SAVE);
    Click(dialog, IDC_AUTOIP_DHCP);
    for (int id : {IDC_AUTOIP_IP, IDC_AUTOIP_MASK, IDC_AUTOIP_GATEWAY}) EXPECT_TRUE(Enabled(dialog, id)) << id;
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  const std::string record = B({0x00, 0x1B, 0xA5, 0x3C, 0x7E, 0x11, 0x00, 0x00, 192, 168,  1,
                                120,  255,  255,  255,  0,    192,  168,  1,    254, 0x8C, 0x23});
  EXPECT_EQ(Broadcasts(), (std::vector<std::string>{"9000>9000:LM0001FIND", "9000>9000:LM0001SAVE" + record + B({0}),
                                                    "9000>9000:LM0001SAVE" + record + B({1})}));
  EXPECT_TRUE(app_.prompts.records().empty());
}

TEST_F(AutoIpDialogTest, SaveWithoutASelectedLineSendsNothingAndABadPortIsSaidButSaved) {
  Show([this](HWND dialog) {
    Click(dialog, IDC_AUTOIP_SAVE);  // nothing listed
    Search(dialog, {Found(0x11, 11)}, 1);
    SetDlgItemTextW(dialog, IDC_AUTOIP_PORT, L"0");
    Click(dialog, IDC_AUTOIP_SAVE);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  const auto broadcasts = Broadcasts();
  ASSERT_EQ(broadcasts.size(), 2u);
  EXPECT_EQ(broadcasts[1].substr(0, 20), "9000>9000:LM0001SAVE");
  const auto records = app_.prompts.records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, "Please enter an integer between 1 and 65535.");
}

TEST_F(AutoIpDialogTest, APortAlreadyTakenOrAFailedReceiveIsSaidInTheStatusLineAndABox) {
  // taken at each try, as another program would hold it
  sockets_.binds = std::deque<BindResult>(kSearchBindAttempts, BindResult::PortTaken);
  Show([this](HWND dialog) {
    Click(dialog, IDC_AUTOIP_SEARCH);
    ASSERT_TRUE(PumpUntil([this] { return !app_.prompts.records().empty(); }));
    sockets_.binds = {BindResult::Bound};
    Click(dialog, IDC_AUTOIP_SEARCH);
    ASSERT_TRUE(sockets_.WaitBroadcasts(1));
    sockets_.Deliver(std::nullopt, 10054);
    sockets_.Deliver(Found(0x11, 11));
    ASSERT_TRUE(PumpUntil([dialog] { return Lines(dialog) == 1; }));
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  const auto records = app_.prompts.records();
  ASSERT_EQ(records.size(), 2u);
  EXPECT_EQ(records[0].text.rfind("UDP port 9000 is in use by another program", 0), 0u) << records[0].text;
  EXPECT_EQ(records[1].text, "recv data error,socket err:10054");
  EXPECT_EQ(app_.context.status().Text(), "recv data error,socket err:10054");
}

TEST_F(AutoIpDialogTest, ASecondSearchReplacesTheFirstAndClosingStopsIt) {
  Show([this](HWND dialog) {
    Search(dialog, {Found(0x11, 11), Found(0x22, 22)}, 2);
    Search(dialog, {Found(0x33, 33)}, 1);
    EXPECT_EQ(ListLines(dialog), (std::vector<std::string>{"00-1B-A5-3C-7E-33"}));
    EXPECT_EQ(sockets_.openNow(), 1);
    SendMessageW(dialog, WM_CLOSE, 0, 0);
  });
  EXPECT_EQ(sockets_.mostOpenAtOnce(), 1);
  EXPECT_EQ(sockets_.opened(), 2);
  EXPECT_EQ(sockets_.openNow(), 0);  // no search holds the port after the dialog
}

TEST_F(AutoIpDialogTest, TestPrintSendsTheGreetingToPort9100OfTheIpField) {
  const struct {
    Language language;
    std::deque<AttemptResult> attempts;
    std::string sent;
    std::string status;
  } cases[] = {
      {Language::English, {}, "Welcome use Auto Set IP\n", "Network send data successfully"},
      // GBK of 欢迎使用自动IP设置
      {Language::Chinese,
       {},
       B({0xBB, 0xB6, 0xD3, 0xAD, 0xCA, 0xB9, 0xD3, 0xC3, 0xD7, 0xD4, 0xB6, 0xAF}) + "IP" +
           B({0xC9, 0xE8, 0xD6, 0xC3}) + "\n",
       "NET:发送数据成功!"},
      // one attempt, as a blocking connect makes
      {Language::English, {AttemptResult::TimedOut}, "", "Network connection failed!"},
      {Language::Chinese, {AttemptResult::NoSocket}, "", "NET:Socket创建失败!"},
  };
  for (const auto& c : cases) {
    testsupport::TestContext app;
    app.context.SetLanguage(c.language);
    // the connection test's connection is left open for the next print
    ASSERT_EQ(app.socket.ConnectAndKeep(MakeIpv4(127, 0, 0, 50), kPrinterPort), 1);
    app.devices.ClearLog();
    app.devices.attempts = c.attempts;
    WhenModal([](HWND dialog) {
      TypeIpAddress(dialog, IDC_AUTOIP_IP, MakeIpv4(127, 0, 0, 51));
      SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(IDC_AUTOIP_TEST_PRINT, BN_CLICKED),
                   reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_AUTOIP_TEST_PRINT)));
      SendMessageW(dialog, WM_CLOSE, 0, 0);
    });
    ShowAutoIpDialog(nullptr, app.context, sockets_);
    app.Drain();
    EXPECT_EQ(app.context.status().Text(), c.status);
    EXPECT_EQ(app.devices.OpenSockets(), std::set<SocketHandle>{1});
    ASSERT_FALSE(app.devices.Log().empty());
    EXPECT_EQ(app.devices.Log()[0].rfind("connect 127.0.0.51:9100 21s -> ", 0), 0u) << app.devices.Log()[0];
    if (c.sent.empty()) continue;
    EXPECT_EQ(app.devices.Log()[0], "connect 127.0.0.51:9100 21s -> connected 2");
    EXPECT_EQ(app.devices.Received(2), c.sent);
  }
}

}  // namespace
