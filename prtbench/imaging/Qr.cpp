// GS ( k sends and the preview library's conventions.
#include "prtbench/imaging/Qr.h"

#include <cstdint>
#include <cstring>

namespace prtbench {

std::array<Bytes, 4> QrPrintSends(std::string_view text, int scalePosition, int eccPosition, bool cut) {
  const auto scale = static_cast<std::uint8_t>(scalePosition + 1);
  // the bytes the dialog has always sent: 48, 49, 50, 51 hexadecimal
  constexpr std::uint8_t kEccBytes[] = {0x48, 0x49, 0x50, 0x51};
  const std::uint8_t ecc = eccPosition >= 0 && eccPosition <= 3 ? kEccBytes[eccPosition] : 0x48;
  const size_t n = text.size() + 1;
  Bytes store{0x1D, 0x28, 0x6B, 0x30, 0x80, static_cast<std::uint8_t>(n), static_cast<std::uint8_t>(n >> 8)};
  store.insert(store.end(), text.begin(), text.end());
  store.push_back(0x00);
  Bytes print{0x1D, 0x28, 0x6B, 0x30, 0x81, 0x1B, 0x4A, static_cast<std::uint8_t>(cut ? 0xFA : 0xC8)};
  if (cut) print.insert(print.end(), {0x1D, 0x56, 0x01});
  return {Bytes{0x1B, 0x40, 0x0A, 0x1D, 0x28, 0x6B, 0x30, 0x67, scale}, Bytes{0x1D, 0x28, 0x6B, 0x30, 0x69, ecc},
          std::move(store), std::move(print)};
}

bool QrResultSucceeded(const char* result) { return std::strcmp(result ? result : "(null)", "(null)") > 0; }

std::string DoubleBackslashes(std::string_view path) {
  std::string doubled;
  for (char c : path) {
    doubled += c;
    if (c == '\\') doubled += '\\';
  }
  return doubled;
}

}  // namespace prtbench
