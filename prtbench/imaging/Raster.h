// The black/white rule and the two packings every picture command is built
// from: one dot per pixel, no dithering, scaling or cropping.
#pragma once

#include <cstdint>

#include "prtbench/base/Bytes.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

// Black below 8000000 (7A1200): the colour value as a whole number, so blue
// decides first (B >= 123 white, B <= 121 black, B = 122 black when G <= 17).
constexpr bool IsBlackPixel(Colour colour) { return colour < 8000000; }

// `n` rounded up to a multiple of 8.
constexpr std::uint32_t RoundUp8(std::uint32_t n) { return (n + 7) & ~7u; }
// Bytes per row of a row raster: ceil(width / 8).
constexpr std::uint32_t RowBytes(std::uint32_t width) { return RoundUp8(width) / 8; }

// Rows top to bottom, RowBytes(W) bytes each, the leftmost dot in the top bit
// (0x80) of a byte, 1 = black; bits past the last column are 0. H x BPR bytes.
Bytes PackRowRaster(const DecodedImage& image);

// Columns left to right, each RoundUp8(H) / 8 bytes of 8 dots from the top
// (topmost dot in the top bit); dots below the last row are 0, and the
// RoundUp8(W) - W filler columns at the right are all 0. W8 x H8 / 8 bytes.
Bytes PackColumnRaster(const DecodedImage& image);

}  // namespace prtbench
