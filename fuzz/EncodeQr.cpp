// Fuzzes the QR encoder with any data at each level. Beyond not crashing: a
// symbol is 17 + 4 x version modules a side with a module per cell, its
// finder patterns are in place, and only data beyond version 40 is refused.
#include <cstddef>
#include <cstdint>
#include <span>

#include "encodeqr/Encoder.h"
#include "fuzz/Check.h"

using fuzz::Check;

namespace {

// The 7 x 7 finder pattern with its top-left module at (x, y).
bool Finder(const encodeqr::Symbol& s, int x, int y) {
  for (int dy = 0; dy < 7; ++dy) {
    for (int dx = 0; dx < 7; ++dx) {
      const bool ring = dx == 0 || dy == 0 || dx == 6 || dy == 6;
      const bool core = dx >= 2 && dx <= 4 && dy >= 2 && dy <= 4;
      if (s.Dark(x + dx, y + dy) != (ring || core)) return false;
    }
  }
  return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const auto ecc = static_cast<encodeqr::Ecc>(data[0] % 4);
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const auto symbol = encodeqr::EncodeBytes(input, ecc);
  constexpr size_t kMost[] = {2953, 2331, 1663, 1273};
  Check(symbol.has_value() == (input.size() <= kMost[data[0] % 4]), "refused only beyond version 40");
  if (!symbol) return 0;
  Check(symbol->version >= 1 && symbol->version <= 40 && symbol->size == 17 + 4 * symbol->version, "its size");
  Check(symbol->modules.size() == static_cast<size_t>(symbol->size) * symbol->size, "a module per cell");
  Check(symbol->mask >= 0 && symbol->mask <= 7, "a mask 0-7");
  const int far = symbol->size - 7;
  Check(Finder(*symbol, 0, 0) && Finder(*symbol, far, 0) && Finder(*symbol, 0, far), "the finder patterns");
  return 0;
}
