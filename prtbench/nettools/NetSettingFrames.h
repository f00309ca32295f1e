// The network settings dialog's configuration frames: the printer's address,
// mask and gateway, its Wi-Fi module, and AT commands passed through to it.
// Frames are 1F 1B 1F, a command byte and the parameters, with no length or
// checksum; addresses travel first octet first, texts in the ANSI code page
// without their terminator unless a 00 is shown.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "prtbench/base/Bytes.h"
#include "prtbench/base/Messages.h"
#include "prtbench/link/Ipv4.h"

namespace prtbench {

// The security list, in order: an entry's index is what is sent and stored.
inline constexpr std::array<std::string_view, 10> kSecurityTypes = {
    "NULL", "WEP64", "WEP128", "WPA_AES_PSK", "WPA_TKIP_PSK", "WPA_TKIP_AES_PSK", "WPA2_AES_PSK", "WPA2_TKIP",
    "WPA2_TKIP_AES_PSK", "WPA_WPA2_MixedMode"};

// The examples offered in the AT command list.
inline constexpr std::array<std::string_view, 3> kAtTemplates = {"AT+SIP=1,192.168.2.106",
                                                                 "AT+LAP=OCPP-C581,739182645,192.168.2.1", "AT+SIP=0"};

// The security byte for a list selection: the index, FF with no selection
// (or any index outside the list).
std::uint8_t SecurityByte(int selection);

// The Wi-Fi values as the dialog holds them: UTF-8 text, the list selection.
struct WifiValues {
  std::string ssid;
  std::string key;
  int security = -1;
};

Bytes SetIpCommand(Ipv4 ip);                                  // 1F 1B 1F 22 + IP
Bytes SetMaskCommand(Ipv4 mask);                              // 1F 1B 1F B0 + mask
Bytes SetGatewayCommand(Ipv4 gateway);                        // 1F 1B 1F B1 + gateway
Bytes SetAddressesCommand(Ipv4 ip, Ipv4 mask, Ipv4 gateway);  // 1F 1B 1F B2 + the three
// 1F 1B 1F B3, security, SSID, 00, key, 00. Any length: the frame grows
// with the texts rather than filling a fixed buffer.
Bytes WifiCommand(const WifiValues& wifi);
// 1F 1B 1F B4, IP, mask, gateway, then the Wi-Fi part of B3.
Bytes SetAllCommand(Ipv4 ip, Ipv4 mask, Ipv4 gateway, const WifiValues& wifi);

// Why the Wi-Fi values are not sent nor stored: WifiSsidNotAnsi or
// WifiKeyNotAnsi when the text holds a character the ANSI code page cannot
// carry, which would reach the printer as "?" (or a look-alike) and have it
// join another network. nullopt when both texts may go.
std::optional<Msg> WifiRefusal(const WifiValues& wifi);

// The AT field's text with blanks, tabs and line ends removed at both ends.
std::string TrimAtCommand(std::string_view typed);
// Why the AT field's text `typed` is not sent: AtCommandTooShort when two
// characters or fewer remain after trimming; AtCommandQuote when the text
// in the ANSI code page holds a double quote (22), which would end the
// frame's quoted text early and have the printer print the rest. nullopt
// when it may be sent.
std::optional<Msg> AtCommandRefusal(std::string_view typed);
// 1F 1B 1F 00 00 01 AA 22, the trimmed text, 22; nullopt when
// AtCommandRefusal gives a reason.
std::optional<Bytes> AtCommand(std::string_view typed);

}  // namespace prtbench
