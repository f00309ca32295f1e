// Drawing one Bitmap into another.
#include "vprinter/escpos/Bitmap.h"

#include <algorithm>

namespace vprinter::escpos {
namespace {

// Unscaled: each source byte is ored into the two target bytes it straddles.
void BlitShifted(Bitmap& target, const Bitmap& source, int x, int y) {
  const int shift = x & 7, first = x >> 3, bytes = target.rowBytes(), sourceBytes = source.rowBytes();
  const int count = std::min(sourceBytes, bytes - first), lastBits = target.width % 8;
  const std::uint8_t lastMask = static_cast<std::uint8_t>(0xFF << (8 - lastBits));
  for (int row = std::max(0, -y); row < source.height && y + row < target.height; ++row) {
    std::uint8_t* out = target.bits.data() + static_cast<size_t>(y + row) * bytes + first;
    const std::uint8_t* in = source.bits.data() + static_cast<size_t>(row) * sourceBytes;
    for (int i = 0; i < count; ++i) {
      out[i] |= static_cast<std::uint8_t>(in[i] >> shift);
      if (shift != 0 && first + i + 1 < bytes) out[i + 1] |= static_cast<std::uint8_t>(in[i] << (8 - shift));
    }
    // bits beyond the target's width in its last byte stay clear
    if (lastBits != 0 && count > 0) out[bytes - 1 - first] &= lastMask;
  }
}

}  // namespace

void Blit(Bitmap& target, const Bitmap& source, int x, int y, int sx, int sy) {
  if (sx == 1 && sy == 1 && x >= 0) return BlitShifted(target, source, x, y);
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

Bitmap Rotated180(const Bitmap& source) {
  Bitmap out(source.width, source.height);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (source.Get(x, y)) out.Set(source.width - 1 - x, source.height - 1 - y);
    }
  }
  return out;
}

Bitmap Rotated90(const Bitmap& source) {
  Bitmap out(source.height, source.width);
  for (int y = 0; y < source.height; ++y) {
    for (int x = 0; x < source.width; ++x) {
      if (source.Get(x, y)) out.Set(source.height - 1 - y, x);
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
