// A 1-bit picture in the printer's own raster layout: rows of packed bytes,
// the leftmost dot in the top bit, 1 = black. Glyphs, symbols, logos and the
// page itself are all Bitmaps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace vprinter::escpos {

struct Bitmap {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> bits;  // height rows of RowBytes(width) bytes

  Bitmap() = default;
  Bitmap(int w, int h) : width(w), height(h), bits(static_cast<std::size_t>(RowBytes(w)) * h) {}

  static int RowBytes(int w) { return (w + 7) / 8; }
  int rowBytes() const { return RowBytes(width); }
  std::uint8_t* Row(int y) { return bits.data() + static_cast<std::size_t>(y) * rowBytes(); }
  const std::uint8_t* Row(int y) const { return bits.data() + static_cast<std::size_t>(y) * rowBytes(); }

  // Out-of-range reads are white; out-of-range writes are dropped.
  bool Get(int x, int y) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return false;
    return (Row(y)[x >> 3] >> (7 - (x & 7))) & 1;
  }
  void Set(int x, int y) {
    if (x < 0 || y < 0 || x >= width || y >= height) return;
    Row(y)[x >> 3] |= static_cast<std::uint8_t>(0x80 >> (x & 7));
  }
  bool Inked() const {
    for (std::uint8_t b : bits) {
      if (b) return true;
    }
    return false;
  }
};

// Ors `source` into `target` with its top-left corner at (x, y), each dot
// drawn as sx by sy dots; whatever falls outside `target` is clipped.
void Blit(Bitmap& target, const Bitmap& source, int x, int y, int sx = 1, int sy = 1);

// Every dot of `source` inverted, for reverse printing.
Bitmap Inverted(const Bitmap& source);

// `source` turned half round (upside-down printing).
Bitmap Rotated180(const Bitmap& source);

// `source` turned a quarter clockwise (90-degree rotated characters).
Bitmap Rotated90(const Bitmap& source);

// `source` scaled to exactly w by h dots by nearest neighbour.
Bitmap Resized(const Bitmap& source, int w, int h);

}  // namespace vprinter::escpos
