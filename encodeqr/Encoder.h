// QR Code symbols of byte-mode data: versions 1 to 40, the four error
// correction levels, the mask chosen by the standard penalty rules. The
// preview library draws what this encodes.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace encodeqr {

// Error correction levels by the share of codewords they restore.
enum class Ecc { Low, Medium, Quartile, High };  // 7 %, 15 %, 25 %, 30 %

struct Symbol {
  int version = 0;  // 1..40
  int mask = 0;     // 0..7, the mask applied
  int size = 0;     // 17 + 4 x version modules a side
  std::vector<std::uint8_t> modules;  // size x size, rows from the top; 1 = dark

  bool Dark(int x, int y) const { return modules[static_cast<size_t>(y) * size + x] != 0; }
};

inline constexpr int kAutoMask = -1;

// `data` as one byte-mode segment in the smallest version that holds it at
// level `ecc` (the level is kept, never raised). `mask` 0..7 forces that
// mask; kAutoMask applies the one of lowest penalty (the lowest number on a
// tie). nullopt when the data exceed version 40 at this level (2953 bytes at
// Low, 1273 at High) or `mask` is out of range.
std::optional<Symbol> EncodeBytes(std::span<const std::uint8_t> data, Ecc ecc, int mask = kAutoMask);

}  // namespace encodeqr
