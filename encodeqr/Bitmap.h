// The preview file: a symbol as a 1-bit Windows BMP.
#pragma once

#include <cstdint>
#include <vector>

#include "encodeqr/Encoder.h"

namespace encodeqr {

// A quiet zone of four light modules round the symbol.
inline constexpr int kQuietZone = 4;

// `symbol` as a BMP file: two-colour palette (0 white, 1 black), rows bottom
// up and padded to four bytes, each module `scale` x `scale` pixels (scale
// >= 1), the picture (size + 8) x scale pixels a side.
std::vector<std::uint8_t> SymbolBitmap(const Symbol& symbol, int scale);

}  // namespace encodeqr
