// The Net Settings dialog in-process: what it shows from Printer.ini, each
// button's frame on the link and its keys, the AT command refused when too
// short, texts in both languages, the light background and drawn buttons.
#include <gtest/gtest.h>
#include <windows.h>

#include "prtbench/nettools/win/NetSettingDialog.h"
#include "prtbench/res/resource.h"
#include "support/DialogDriver.h"
#include "support/TestContext.h"

namespace {

using namespace prtbench;
using namespace testsupport;

std::string B(std::initializer_list<int> bytes) {
  std::string text;
  for (int b : bytes) text += static_cast<char>(b);
  return text;
}

class NetSettingDialogTest : public testing::Test {
 protected:
  NetSettingDialogTest() {
    app_.context.SetLanguage(Language::English);
    app_.link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortLpt; });
  }
  void Show(std::function<void(HWND)> script) {
    WhenModal(std::move(script));
    ShowNetSettingDialog(nullptr, app_.context);
    app_.Drain();
  }
  // What the printer got over the LPT link, every send of the dialog.
  std::string Sent() const { return app_.devices.Received(1); }
  std::vector<std::string> Writes() const {
    std::vector<std::string> writes;
    for (const auto& line : app_.settings.log()) {
      if (line.rfind("write ", 0) == 0) writes.push_back(line);
    }
    return writes;
  }

  testsupport::TestContext app_;
};

TEST_F(NetSettingDialogTest, AFirstOpeningShowsTheDefaultsAndFillsTheLists) {
  Show([](HWND dialog) {
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_IP), MakeIpv4(192, 168, 123, 100));
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_MASK), MakeIpv4(255, 255, 255, 0));
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_GATEWAY), MakeIpv4(192, 168, 123, 1));
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_SSID), "Quillon384");
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_KEY), "Quillon384");
    EXPECT_EQ(ComboIndex(dialog, IDC_NETSETTING_KEY_TYPE), 6);
    EXPECT_EQ(ComboEntries(dialog, IDC_NETSETTING_KEY_TYPE),
              (std::vector<std::string>{"NULL", "WEP64", "WEP128", "WPA_AES_PSK", "WPA_TKIP_PSK", "WPA_TKIP_AES_PSK",
                                        "WPA2_AES_PSK", "WPA2_TKIP", "WPA2_TKIP_AES_PSK", "WPA_WPA2_MixedMode"}));
    EXPECT_EQ(
        ComboEntries(dialog, IDC_NETSETTING_CMD),
        (std::vector<std::string>{"AT+SIP=1,192.168.2.106", "AT+LAP=OCPP-C581,739182645,192.168.2.1", "AT+SIP=0"}));
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_CMD), "");
    Click(dialog, IDC_NETSETTING_RETURN);
  });
  EXPECT_TRUE(Sent().empty());
  EXPECT_TRUE(Writes().empty());
}

TEST_F(NetSettingDialogTest, EachButtonSendsItsFrameAndStoresItsKeys) {
  const std::string head = B({0x1F, 0x1B, 0x1F});
  const std::string ip = B({0xC0, 0xA8, 0x01, 0xC8}), mask = B({0xFF, 0xFF, 0xFF, 0x00}), gate = B({0xC0, 0xA8, 1, 1});
  const std::vector<std::string> addressKeys = {"write NET/IPADDR=192.168.1.200", "write NET/MASK=255.255.255.0",
                                                "write NET/GATE=192.168.1.1"};
  const std::vector<std::string> wifiKeys = {"write NET/SSID=AB", "write NET/KEY=", "write NET/KEYT=6"};
  std::vector<std::string> allKeys = addressKeys;
  allKeys.insert(allKeys.end(), wifiKeys.begin(), wifiKeys.end());
  const struct {
    int button;
    std::string frame;
    std::vector<std::string> writes;
  } cases[] = {
      {IDC_NETSETTING_SET_IP, head + B({0x22}) + ip, {}},
      {IDC_NETSETTING_SET_MASK, head + B({0xB0}) + mask, {}},
      {IDC_NETSETTING_SET_GATEWAY, head + B({0xB1}) + gate, {}},
      {IDC_NETSETTING_SET_NET, head + B({0xB2}) + ip + mask + gate, addressKeys},
      {IDC_NETSETTING_SET_WIFI, head + B({0xB3, 0x06, 0x41, 0x42, 0x00, 0x00}), wifiKeys},
      {IDC_NETSETTING_SET_ALL, head + B({0xB4}) + ip + mask + gate + B({0x06, 0x41, 0x42, 0x00, 0x00}), allKeys},
  };
  for (const auto& c : cases) {
    testsupport::TestContext app;
    app.context.SetLanguage(Language::English);
    app.link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortLpt; });
    WhenModal([&c](HWND dialog) {
      TypeIpAddress(dialog, IDC_NETSETTING_IP, MakeIpv4(192, 168, 1, 200));
      TypeIpAddress(dialog, IDC_NETSETTING_MASK, MakeIpv4(255, 255, 255, 0));
      TypeIpAddress(dialog, IDC_NETSETTING_GATEWAY, MakeIpv4(192, 168, 1, 1));
      SetText(dialog, IDC_NETSETTING_SSID, "AB");
      SetText(dialog, IDC_NETSETTING_KEY, "");
      Click(dialog, c.button);
      Click(dialog, IDC_NETSETTING_RETURN);
    });
    ShowNetSettingDialog(nullptr, app.context);
    app.Drain();
    EXPECT_EQ(app.devices.Received(1), c.frame) << c.button;
    std::vector<std::string> writes;
    for (const auto& line : app.settings.log()) {
      if (line.rfind("write ", 0) == 0) writes.push_back(line);
    }
    EXPECT_EQ(writes, c.writes) << c.button;
    EXPECT_EQ(app.context.status().Text().rfind("LPT1 send data successfully!", 0), 0u) << app.context.status().Text();
  }
}

TEST_F(NetSettingDialogTest, NoSecuritySelectionSendsFFAndStoresMinusOne) {
  Show([](HWND dialog) {
    SendDlgItemMessageW(dialog, IDC_NETSETTING_KEY_TYPE, CB_SETCURSEL, static_cast<WPARAM>(-1), 0);
    SetDlgItemTextW(dialog, IDC_NETSETTING_SSID, L"N");
    SetDlgItemTextW(dialog, IDC_NETSETTING_KEY, L"k");
    Click(dialog, IDC_NETSETTING_SET_WIFI);
    Click(dialog, IDC_NETSETTING_RETURN);
  });
  EXPECT_EQ(Sent(), B({0x1F, 0x1B, 0x1F, 0xB3, 0xFF, 'N', 0x00, 'k', 0x00}));
  EXPECT_EQ(Writes(), (std::vector<std::string>{"write NET/SSID=N", "write NET/KEY=k", "write NET/KEYT=-1"}));
}

TEST_F(NetSettingDialogTest, TheAtCommandIsTrimmedOrRefusedWhenTooShort) {
  Show([](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_NETSETTING_CMD, L"AT");
    Click(dialog, IDC_NETSETTING_CMD_SET);
    SetDlgItemTextW(dialog, IDC_NETSETTING_CMD, L"  AT+SIP=0 ");
    Click(dialog, IDC_NETSETTING_CMD_SET);
    Click(dialog, IDC_NETSETTING_RETURN);
  });
  EXPECT_EQ(Sent(), B({0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xAA, 0x22}) + "AT+SIP=0" + B({0x22}));
  const auto records = app_.prompts.records();
  ASSERT_EQ(records.size(), 1u);
  EXPECT_EQ(records[0].text, "input cmd is too short!");
  EXPECT_TRUE(Writes().empty());
}

TEST_F(NetSettingDialogTest, WifiTextsThePrinterCannotReceiveAreRefusedInBothLanguages) {
  const struct {
    Language language;
    int button;
    const wchar_t* ssid;
    const wchar_t* key;
    std::string message;
  } cases[] = {
      {Language::English, IDC_NETSETTING_SET_WIFI, L"网络", L"k",
       "The SSID holds characters the printer cannot receive. Nothing was sent or saved."},
      {Language::Chinese, IDC_NETSETTING_SET_ALL, L"N", L"ключ", "WIFI密码中含有打印机无法接收的字符,未发送也未保存。"},
  };
  for (const auto& c : cases) {
    testsupport::TestContext app;
    app.context.SetLanguage(c.language);
    app.link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortLpt; });
    WhenModal([&c](HWND dialog) {
      SetDlgItemTextW(dialog, IDC_NETSETTING_SSID, c.ssid);
      SetDlgItemTextW(dialog, IDC_NETSETTING_KEY, c.key);
      Click(dialog, c.button);
      Click(dialog, IDC_NETSETTING_RETURN);
    });
    ShowNetSettingDialog(nullptr, app.context);
    app.Drain();
    EXPECT_EQ(app.devices.Received(1), "");
    for (const auto& line : app.settings.log()) EXPECT_NE(line.rfind("write ", 0), 0u) << line;
    EXPECT_EQ(app.prompts.messages(), std::vector<std::string>{c.message});
  }
}

TEST_F(NetSettingDialogTest, AnAtCommandWithADoubleQuoteIsRefusedAndNothingIsSent) {
  Show([](HWND dialog) {
    SetDlgItemTextW(dialog, IDC_NETSETTING_CMD, L"AT+LAP=\"X\",SECRETKEY");
    Click(dialog, IDC_NETSETTING_CMD_SET);
    Click(dialog, IDC_NETSETTING_RETURN);
  });
  EXPECT_EQ(Sent(), "");
  EXPECT_EQ(app_.prompts.messages(), std::vector<std::string>{"The AT command must not contain a double quote (\")!"});
}

TEST_F(NetSettingDialogTest, TypedCommandsAreUpperCaseAndATemplateCanBeChosen) {
  Show([](HWND dialog) {
    // typed into the list's edit part, as a user types
    HWND edit = FindWindowExW(GetDlgItem(dialog, IDC_NETSETTING_CMD), nullptr, L"Edit", nullptr);
    ASSERT_NE(edit, nullptr);
    for (wchar_t c : std::wstring(L"at+sip=0")) SendMessageW(edit, WM_CHAR, c, 0);
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_CMD), "AT+SIP=0");
    Click(dialog, IDC_NETSETTING_CMD_SET);
    SendDlgItemMessageW(dialog, IDC_NETSETTING_CMD, CB_SETCURSEL, 0, 0);
    Click(dialog, IDC_NETSETTING_CMD_SET);
    Click(dialog, IDC_NETSETTING_RETURN);
  });
  const std::string head = B({0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xAA, 0x22});
  EXPECT_EQ(Sent(), head + "AT+SIP=0" + B({0x22}) + head + "AT+SIP=1,192.168.2.106" + B({0x22}));
}

TEST_F(NetSettingDialogTest, StoredValuesShowAtTheNextOpeningAndABadAddressIsAllOnes) {
  app_.settings.Put("NET", "IPADDR", "10.0.0.9");
  app_.settings.Put("NET", "MASK", "255.255.0.0");
  app_.settings.Put("NET", "GATE", "not an address");
  app_.settings.Put("NET", "SSID", "Café");
  app_.settings.Put("NET", "KEY", "plain text");
  app_.settings.Put("NET", "KEYT", "9");
  Show([](HWND dialog) {
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_IP), MakeIpv4(10, 0, 0, 9));
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_MASK), MakeIpv4(255, 255, 0, 0));
    EXPECT_EQ(IpAddress(dialog, IDC_NETSETTING_GATEWAY), kAllOnesIpv4);
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_SSID), "Café");
    EXPECT_EQ(Text(dialog, IDC_NETSETTING_KEY), "plain text");
    EXPECT_EQ(ComboIndex(dialog, IDC_NETSETTING_KEY_TYPE), 9);
    Click(dialog, IDC_NETSETTING_RETURN);
  });
}

TEST_F(NetSettingDialogTest, TextsFollowTheLanguage) {
  const struct {
    Language language;
    std::vector<std::pair<int, std::string>> texts;
  } cases[] = {
      {Language::English,
       {{IDC_NETSETTING_NET_GROUP, "Net Settings"},
        {IDC_NETSETTING_IP_LABEL, "IP Address:"},
        {IDC_NETSETTING_MASK_LABEL, "NetMask Address:"},
        {IDC_NETSETTING_GATEWAY_LABEL, "GateWay Address:"},
        {IDC_NETSETTING_SET_IP, "SetIPAddr"},
        {IDC_NETSETTING_SET_MASK, "SetNetMask"},
        {IDC_NETSETTING_SET_GATEWAY, "SetGateWay"},
        {IDC_NETSETTING_SET_NET, "Set above contents"},
        {IDC_NETSETTING_WIFI_GROUP, "WIFI Settings"},
        {IDC_NETSETTING_KEY_LABEL, "WIFI Key"},
        {IDC_NETSETTING_KEY_TYPE_LABEL, "Key Type"},
        {IDC_NETSETTING_SET_WIFI, "Set above contents"},
        {IDC_NETSETTING_SET_ALL, "Set All"},
        {IDC_NETSETTING_RETURN, "Return"},
        {IDC_NETSETTING_CMD_LABEL, "WIFI CMD:"},
        {IDC_NETSETTING_CMD_SET, "CMD Set"}}},
      {Language::Chinese,
       {{IDC_NETSETTING_NET_GROUP, "网络设置"},
        {IDC_NETSETTING_IP_LABEL, "IP地址(I):"},
        {IDC_NETSETTING_MASK_LABEL, "子网掩码(U):"},
        {IDC_NETSETTING_GATEWAY_LABEL, "默认网关(D):"},
        {IDC_NETSETTING_SET_IP, "设置IP"},
        {IDC_NETSETTING_SET_MASK, "设置掩码"},
        {IDC_NETSETTING_SET_GATEWAY, "设置网关"},
        {IDC_NETSETTING_SET_NET, "同时设置以上三项"},
        {IDC_NETSETTING_WIFI_GROUP, "WIFI设置"},
        {IDC_NETSETTING_KEY_LABEL, "WIFI密码:"},
        {IDC_NETSETTING_KEY_TYPE_LABEL, "加密类型:"},
        {IDC_NETSETTING_SET_WIFI, "WIFI设置以上内容"},
        {IDC_NETSETTING_SET_ALL, "全部设置"},
        {IDC_NETSETTING_RETURN, "返回"},
        {IDC_NETSETTING_CMD_SET, "CMD Set"}}},
  };
  for (const auto& c : cases) {
    app_.context.SetLanguage(c.language);
    Show([&c](HWND dialog) {
      EXPECT_EQ(WindowText(dialog), "Net Settings");
      for (const auto& [id, text] : c.texts) EXPECT_EQ(Text(dialog, id), text) << id;
      Click(dialog, IDC_NETSETTING_RETURN);
    });
  }
}

TEST_F(NetSettingDialogTest, PaintsTheLightBackgroundAndDrawsItsButtons) {
  Show([](HWND dialog) {
    HDC dc = GetDC(dialog);
    const auto brush =
        reinterpret_cast<HBRUSH>(SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                                              reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_NETSETTING_IP_LABEL))));
    ReleaseDC(dialog, dc);
    LOGBRUSH info{};
    ASSERT_NE(brush, nullptr);
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(239, 247, 255));
    for (int id : {IDC_NETSETTING_SET_IP, IDC_NETSETTING_SET_ALL, IDC_NETSETTING_RETURN, IDC_NETSETTING_CMD_SET}) {
      EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    Click(dialog, IDC_NETSETTING_RETURN);
  });
}

}  // namespace
