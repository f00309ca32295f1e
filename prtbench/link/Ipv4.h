// IPv4 addresses as prtbench keeps them: one 32-bit value, first octet in the
// most significant byte (the order of the address boxes), text dotted decimal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace prtbench {

using Ipv4 = std::uint32_t;

inline constexpr Ipv4 kAllOnesIpv4 = 0xFFFFFFFFu;

constexpr Ipv4 MakeIpv4(std::uint8_t a, std::uint8_t b, std::uint8_t c, std::uint8_t d) {
  return (Ipv4{a} << 24) | (Ipv4{b} << 16) | (Ipv4{c} << 8) | Ipv4{d};
}

// "a.b.c.d": exactly four decimal octets of one to three digits, each at most
// 255, nothing before or after. nullopt for anything else.
std::optional<Ipv4> ParseIpv4(std::string_view text);

// The address in `text`, or 255.255.255.255 when it does not parse: what the
// program makes of a bad address in Printer.ini.
Ipv4 Ipv4OrAllOnes(std::string_view text);

// "%d.%d.%d.%d", most significant byte first.
std::string FormatIpv4(Ipv4 address);

}  // namespace prtbench
