// Row and column packing, written to walk the pixels once in memory order.
#include "prtbench/imaging/Raster.h"

namespace prtbench {

Bytes PackRowRaster(const DecodedImage& image) {
  const std::uint32_t bpr = RowBytes(image.width);
  Bytes packed(static_cast<std::size_t>(bpr) * image.height, 0);
  const Colour* pixel = image.pixels.data();
  for (std::uint32_t y = 0; y < image.height; ++y) {
    std::uint8_t* row = packed.data() + static_cast<std::size_t>(y) * bpr;
    for (std::uint32_t x = 0; x < image.width; ++x, ++pixel) {
      if (IsBlackPixel(*pixel)) row[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
    }
  }
  return packed;
}

Bytes PackColumnRaster(const DecodedImage& image) {
  const std::uint32_t columnBytes = RoundUp8(image.height) / 8;
  // the filler columns at the right stay zero
  Bytes packed(static_cast<std::size_t>(RoundUp8(image.width)) * columnBytes, 0);
  const Colour* pixel = image.pixels.data();
  for (std::uint32_t y = 0; y < image.height; ++y) {
    const std::uint8_t bit = static_cast<std::uint8_t>(0x80 >> (y & 7));
    std::uint8_t* cell = packed.data() + y / 8;
    for (std::uint32_t x = 0; x < image.width; ++x, ++pixel, cell += columnBytes) {
      if (IsBlackPixel(*pixel)) *cell |= bit;
    }
  }
  return packed;
}

}  // namespace prtbench
