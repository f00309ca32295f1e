// The printer's four paper-saving functions, each applied on its own.
#pragma once

#include <cstdint>

#include "prtbench/base/Bytes.h"

namespace prtbench {

enum class SavePaperFunction : std::uint8_t {
  TopBlank = 0,       // blank lines at the top removed: off (0) or on (1)
  MiddleBlank = 1,    // blank lines in the middle scaled down by 0, 25, 50 or 75 %
  LineSpace = 2,      // line spacing scaled down likewise
  BarcodeHeight = 3,  // barcode height scaled down likewise
};

// The value byte for the chosen button `index` of the function's group: the
// index itself for TopBlank, index x 25 (the percentage) for the others.
std::uint8_t SavePaperValue(SavePaperFunction function, int index);
// 1F 1B 1F 00 0A f v.
Bytes SavePaperCommand(SavePaperFunction function, int index);

}  // namespace prtbench
