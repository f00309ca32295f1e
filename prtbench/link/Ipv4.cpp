// Dotted decimal text to and from the 32-bit address.
#include "prtbench/link/Ipv4.h"

namespace prtbench {

std::optional<Ipv4> ParseIpv4(std::string_view text) {
  Ipv4 address = 0;
  size_t pos = 0;
  for (int octet = 0; octet < 4; ++octet) {
    if (octet > 0) {
      if (pos >= text.size() || text[pos] != '.') return std::nullopt;
      ++pos;
    }
    unsigned value = 0;
    size_t digits = 0;
    while (pos < text.size() && text[pos] >= '0' && text[pos] <= '9' && digits < 3) {
      value = value * 10 + static_cast<unsigned>(text[pos] - '0');
      ++pos;
      ++digits;
    }
    if (digits == 0 || value > 255) return std::nullopt;
    address = (address << 8) | value;
  }
  if (pos != text.size()) return std::nullopt;
  return address;
}

Ipv4 Ipv4OrAllOnes(std::string_view text) { return ParseIpv4(text).value_or(kAllOnesIpv4); }

std::string FormatIpv4(Ipv4 address) {
  std::string text;
  for (int shift = 24; shift >= 0; shift -= 8) {
    if (shift != 24) text += '.';
    text += std::to_string((address >> shift) & 0xFF);
  }
  return text;
}

}  // namespace prtbench
