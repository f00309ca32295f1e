// Frames of the network settings dialog, built to the size of their texts.
#include "prtbench/nettools/NetSettingFrames.h"

#include "prtbench/base/CodePage.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kPrefix[] = {0x1F, 0x1B, 0x1F};
constexpr std::string_view kBlanks = " \t\r\n\v\f";

Bytes Frame(std::uint8_t code) {
  Bytes frame(std::begin(kPrefix), std::end(kPrefix));
  frame.push_back(code);
  return frame;
}

void AppendAddress(Bytes& frame, Ipv4 address) {
  for (int shift = 24; shift >= 0; shift -= 8) frame.push_back(static_cast<std::uint8_t>(address >> shift));
}

void AppendText(Bytes& frame, std::string_view utf8) {
  const std::string ansi = ToCodePage(utf8, CodePage::SystemAnsi);
  frame.insert(frame.end(), ansi.begin(), ansi.end());
}

void AppendWifi(Bytes& frame, const WifiValues& wifi) {
  frame.push_back(SecurityByte(wifi.security));
  AppendText(frame, wifi.ssid);
  frame.push_back(0x00);
  AppendText(frame, wifi.key);
  frame.push_back(0x00);
}

Bytes AddressFrame(std::uint8_t code, Ipv4 address) {
  Bytes frame = Frame(code);
  AppendAddress(frame, address);
  return frame;
}

// Characters, not bytes: a UTF-8 lead byte starts each one.
size_t CharacterCount(std::string_view utf8) {
  size_t count = 0;
  for (unsigned char c : utf8) count += (c & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::uint8_t SecurityByte(int selection) {
  const bool listed = selection >= 0 && selection < static_cast<int>(kSecurityTypes.size());
  return listed ? static_cast<std::uint8_t>(selection) : 0xFF;
}

Bytes SetIpCommand(Ipv4 ip) { return AddressFrame(0x22, ip); }
Bytes SetMaskCommand(Ipv4 mask) { return AddressFrame(0xB0, mask); }
Bytes SetGatewayCommand(Ipv4 gateway) { return AddressFrame(0xB1, gateway); }

Bytes SetAddressesCommand(Ipv4 ip, Ipv4 mask, Ipv4 gateway) {
  Bytes frame = Frame(0xB2);
  for (Ipv4 address : {ip, mask, gateway}) AppendAddress(frame, address);
  return frame;
}

Bytes WifiCommand(const WifiValues& wifi) {
  Bytes frame = Frame(0xB3);
  AppendWifi(frame, wifi);
  return frame;
}

Bytes SetAllCommand(Ipv4 ip, Ipv4 mask, Ipv4 gateway, const WifiValues& wifi) {
  Bytes frame = Frame(0xB4);
  for (Ipv4 address : {ip, mask, gateway}) AppendAddress(frame, address);
  AppendWifi(frame, wifi);
  return frame;
}

std::optional<Msg> WifiRefusal(const WifiValues& wifi) {
  // only a text that comes back unchanged reaches the printer as typed
  const auto carried = [](const std::string& text) {
    return FromCodePage(ToCodePage(text, CodePage::SystemAnsi), CodePage::SystemAnsi) == text;
  };
  if (!carried(wifi.ssid)) return Msg::WifiSsidNotAnsi;
  if (!carried(wifi.key)) return Msg::WifiKeyNotAnsi;
  return std::nullopt;
}

std::string TrimAtCommand(std::string_view typed) {
  const size_t first = typed.find_first_not_of(kBlanks);
  if (first == std::string_view::npos) return {};
  const size_t last = typed.find_last_not_of(kBlanks);
  return std::string(typed.substr(first, last - first + 1));
}

std::optional<Msg> AtCommandRefusal(std::string_view typed) {
  const std::string text = TrimAtCommand(typed);
  if (CharacterCount(text) <= 2) return Msg::AtCommandTooShort;
  // checked after conversion: a look-alike such as the full-width quote may become 22
  if (ToCodePage(text, CodePage::SystemAnsi).find('"') != std::string::npos) return Msg::AtCommandQuote;
  return std::nullopt;
}

std::optional<Bytes> AtCommand(std::string_view typed) {
  if (AtCommandRefusal(typed)) return std::nullopt;
  const std::string text = TrimAtCommand(typed);
  Bytes frame = Frame(0x00);
  frame.insert(frame.end(), {0x00, 0x01, 0xAA, 0x22});
  AppendText(frame, text);
  frame.push_back(0x22);
  return frame;
}

}  // namespace prtbench
