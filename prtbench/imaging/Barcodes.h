// The one-dimensional barcode samples the advanced settings print: nine
// symbologies with fixed sample data, each followed by a text caption.
#pragma once

#include <array>
#include <cstdint>
#include <string_view>

#include "prtbench/base/Bytes.h"

namespace prtbench {

struct BarcodeSample {
  std::string_view listText;  // the type list's entry
  int moduleWidth;            // GS w
  std::string_view data;      // GS k data, ASCII
  std::string_view caption;   // printed under the code: name, blank, digits
};

// Indexed by the type list position; the symbology byte is 41 + position.
// The list says UPC_C where the code is UPC-E (m = 42).
inline constexpr std::array<BarcodeSample, 9> kBarcodeSamples{{
    {"UPC_A", 3, "01234567890", "UPC_A 012345678905"},
    {"UPC_C", 3, "01234567890", "UPC_E 01234505"},
    {"EAN(JAN)13", 3, "012345678901", "EAN(JAN)13 012345678901"},
    {"EAN(JAN)8", 3, "0123456", "EAN(JAN)8 0123456"},
    {"CODE39", 3, "0123456", "CODE39 0123456"},
    {"ITF", 3, "0123456789", "ITF 0123456789"},
    {"CODABAR", 2, "B1234567890B", "CODABAR 0123456789"},
    {"CODE93", 3, "0123456789", "CODE93 0123456789"},
    {"CODE128", 3, "{B01234567", "CODE128 01234567"},
}};

// The sample of type list position `type` at the height list position
// `heightPosition` (entries "1" to "255", so the byte sent is one less than
// the number shown; taken modulo 256), as one buffer:
// ESC @, ESC a 1, GS H 0, GS w width, GS h height, GS k m n data, the
// caption, 0A 0A, ESC @ and 00. Empty when `type` is not 0..8 (nothing
// selected): nothing is to be sent.
Bytes BarcodeSampleCommands(int type, int heightPosition);

// The same buffer for any `data` of type list position `type` (0..8), with
// the sample's module width, `height` dots and `caption` under the code.
// GS k's length byte counts at most 255 bytes of data: empty beyond that.
Bytes BarcodeCommands(int type, std::uint8_t height, std::string_view data, std::string_view caption);

}  // namespace prtbench
