// The dry run's hexadecimal lines.
#include "rkit/DryRun.h"

#include <cstdio>

namespace rkit {

void WriteHex(std::ostream& out, std::span<const std::uint8_t> bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    char digits[4];
    std::snprintf(digits, sizeof digits, "%02X", bytes[i]);
    out << (i ? " " : "") << digits;
  }
  out << "\n";
}

}  // namespace rkit
