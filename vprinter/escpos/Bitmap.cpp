// Drawing one Bitmap into another.
#include "vprinter/escpos/Bitmap.h"

#include <algorithm>

namespace vprinter::escpos {
namespace {

// The fast path: unscaled and byte-aligned, whole bytes are ored in.
bool BlitAligned(Bitmap& target, const Bitmap& source, int x, int y) {
  if (x < 0 || (x & 7) != 0) return false;
  const int bytes = std::min(source.rowBytes(), target.rowBytes() - x / 8);
  for (int row = 0; row < source.height && bytes > 0; ++row) {
    if (y + row < 0 || y + row >= target.height) continue;
    std::uint8_t* out = target.Row(y + row) + x / 8;
    const std::uint8_t* in = source.Row(row);
    for (int i = 0; i < bytes; ++i) out[i] |= in[i];
  }
  // bits beyond the target's width in its last byte must stay clear
  if (target.width % 8 != 0 && x / 8 + source.rowBytes() >= target.rowBytes()) {
    const std::uint8_t mask = static_cast<std::uint8_t>(0xFF << (8 - target.width % 8));
    for (int row = std::max(0, y); row < std::min(target.height, y + source.height); ++row) {
      target.Row(row)[target.rowBytes() - 1] &= mask;
    }
  }
  return true;
}

}  // namespace

void Blit(Bitmap& target, const Bitmap& source, int x, int y, int sx, int sy) {
  if (sx == 1 && sy == 1 && BlitAligned(target, source, x, y)) return;
  for (int row = 0; row < source.height; ++row) {
    const int top = y + row * sy;
    if (top >= target.height) break;
    if (top + sy <= 0) continue;
    for (int col = 0; col < source.width; ++col) {
      if (!source.Get(col, row)) continue;
      const int left = x + col * sx;
      if (left >= target.width) break;
      for (int dy = 0; dy < sy; ++dy) {
        for (int dx = 0; dx < sx; ++dx) target.Set(left + dx, top + dy);
      }
    }
  }
}

Bitmap Inverted(const Bitmap& source) {
  Bitmap out(source.width, source.height);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (!source.Get(x, y)) out.Set(x, y);
    }
  }
  return out;
}

Bitmap Resized(const Bitmap& source, int w, int h) {
  Bitmap out(w, h);
  if (source.width == 0 || source.height == 0) return out;
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (source.Get(x * source.width / w, y * source.height / h)) out.Set(x, y);
    }
  }
  return out;
}

}  // namespace vprinter::escpos
