// The network settings dialog's frames, byte for byte.
#include <gtest/gtest.h>

#include <string>

#include "prtbench/nettools/NetSettingFrames.h"

namespace {

using namespace prtbench;

constexpr Ipv4 kIp = MakeIpv4(192, 168, 1, 200);
constexpr Ipv4 kMask = MakeIpv4(255, 255, 255, 0);
constexpr Ipv4 kGateway = MakeIpv4(192, 168, 1, 1);

TEST(NetSettingFrames, EachButtonsFrame) {
  const struct {
    const char* what;
    Bytes frame;
    Bytes expected;
  } cases[] = {
      {"22 IP", SetIpCommand(MakeIpv4(192, 168, 123, 100)), {0x1F, 0x1B, 0x1F, 0x22, 0xC0, 0xA8, 0x7B, 0x64}},
      {"B0 mask", SetMaskCommand(kMask), {0x1F, 0x1B, 0x1F, 0xB0, 0xFF, 0xFF, 0xFF, 0x00}},
      {"B1 gateway", SetGatewayCommand(kGateway), {0x1F, 0x1B, 0x1F, 0xB1, 0xC0, 0xA8, 0x01, 0x01}},
      {"B2 the three",
       SetAddressesCommand(kIp, kMask, kGateway),
       {0x1F, 0x1B, 0x1F, 0xB2, 0xC0, 0xA8, 0x01, 0xC8, 0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01}},
      {"B3 empty password", WifiCommand({"AB", "", 6}), {0x1F, 0x1B, 0x1F, 0xB3, 0x06, 0x41, 0x42, 0x00, 0x00}},
      {"B3 no selection", WifiCommand({"A", "k", -1}), {0x1F, 0x1B, 0x1F, 0xB3, 0xFF, 0x41, 0x00, 0x6B, 0x00}},
      {"B4 all", SetAllCommand(kIp, kMask, kGateway, {"N", "pw", 9}), {0x1F, 0x1B, 0x1F, 0xB4, 0xC0, 0xA8, 0x01, 0xC8,
                                                                       0xFF, 0xFF, 0xFF, 0x00, 0xC0, 0xA8, 0x01, 0x01,
                                                                       0x09, 0x4E, 0x00, 0x70, 0x77, 0x00}},
      // the ANSI code page (1252 here): one byte per character
      {"B3 text in the ANSI page",
       WifiCommand({"Café", "", 0}),
       {0x1F, 0x1B, 0x1F, 0xB3, 0x00, 0x43, 0x61, 0x66, 0xE9, 0x00, 0x00}},
  };
  for (const auto& c : cases) EXPECT_EQ(c.frame, c.expected) << c.what;
}

TEST(NetSettingFrames, SecurityByteIsTheListIndexOrFFWithoutOne) {
  const struct {
    int selection;
    std::uint8_t byte;
  } cases[] = {{0, 0x00}, {6, 0x06}, {9, 0x09}, {-1, 0xFF}, {10, 0xFF}};
  for (const auto& c : cases) EXPECT_EQ(SecurityByte(c.selection), c.byte) << c.selection;
  EXPECT_EQ(kSecurityTypes[6], "WPA2_AES_PSK");
}

TEST(NetSettingFrames, WifiFramesGrowWithTheirTextsBeyondTheOldBuffer) {
  const std::string ssid(1500, 'S');
  const std::string key(900, 'K');
  const Bytes b3 = WifiCommand({ssid, key, 3});
  ASSERT_EQ(b3.size(), 7 + ssid.size() + key.size());
  EXPECT_EQ(b3[5 + ssid.size()], 0x00);
  EXPECT_EQ(b3.back(), 0x00);
  EXPECT_EQ(b3[b3.size() - 2], 'K');
  EXPECT_EQ(SetAllCommand(kIp, kMask, kGateway, {ssid, key, 3}).size(), 19 + ssid.size() + key.size());
}

TEST(NetSettingFrames, AtCommandTrimsAndRefusesTwoCharactersOrFewer) {
  const Bytes head = {0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xAA, 0x22};
  auto framed = [&head](const std::string& text) {
    Bytes frame = head;
    frame.insert(frame.end(), text.begin(), text.end());
    frame.push_back(0x22);
    return frame;
  };
  const struct {
    std::string typed;
    std::optional<Bytes> frame;
  } cases[] = {
      {"  AT+SIP=0 ", framed("AT+SIP=0")},
      {"\tAT+SIP=1,192.168.2.106\r\n", framed("AT+SIP=1,192.168.2.106")},
      {"A B", framed("A B")},
      {"ATZ", framed("ATZ")},
      {"AT", std::nullopt},
      {"  AT  ", std::nullopt},
      {"", std::nullopt},
      {" \t ", std::nullopt},
      // two characters, four bytes: still too short
      {"éé", std::nullopt},
  };
  for (const auto& c : cases) EXPECT_EQ(AtCommand(c.typed), c.frame) << "'" << c.typed << "'";
  EXPECT_EQ(*AtCommand("  AT+SIP=0 "), (Bytes{0x1F, 0x1B, 0x1F, 0x00, 0x00, 0x01, 0xAA, 0x22, 0x41, 0x54, 0x2B, 0x53,
                                              0x49, 0x50, 0x3D, 0x30, 0x22}));
}

TEST(NetSettingFrames, AtCommandWithADoubleQuoteIsRefusedNotSent) {
  const struct {
    std::string typed;
    std::optional<Msg> refusal;
  } cases[] = {
      {"AT+SIP=0", std::nullopt},
      {"AT", Msg::AtCommandTooShort},
      {"AT+LAP=\"OCPP\",739182645", Msg::AtCommandQuote},
      {" \"AT ", Msg::AtCommandQuote},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AtCommandRefusal(c.typed), c.refusal) << c.typed;
    EXPECT_EQ(AtCommand(c.typed).has_value(), !c.refusal) << c.typed;
  }
}

TEST(NetSettingFrames, WifiTextsOutsideTheAnsiCodePageAreRefused) {
  const struct {
    std::string ssid;
    std::string key;
    std::optional<Msg> refusal;
  } cases[] = {
      {"Quillon384", "Quillon384", std::nullopt},
      {"Café Nº5", "clé", std::nullopt},  // within the ANSI code page
      {"网络", "Quillon384", Msg::WifiSsidNotAnsi},
      {"Quillon384", "ключ", Msg::WifiKeyNotAnsi},
      {"ＡＢ", "ключ", Msg::WifiSsidNotAnsi},  // full-width letters are no ASCII ones
  };
  for (const auto& c : cases) EXPECT_EQ(WifiRefusal({c.ssid, c.key, 6}), c.refusal) << c.ssid << " " << c.key;
}

}  // namespace
