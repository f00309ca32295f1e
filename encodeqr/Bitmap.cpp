// BMP file header, info header, palette and 1-bit rows.
#include "encodeqr/Bitmap.h"

namespace encodeqr {
namespace {

void Put16(std::vector<std::uint8_t>& out, std::uint32_t value) {
  out.push_back(static_cast<std::uint8_t>(value));
  out.push_back(static_cast<std::uint8_t>(value >> 8));
}
void Put32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  Put16(out, value & 0xFFFF);
  Put16(out, value >> 16);
}

}  // namespace

std::vector<std::uint8_t> SymbolBitmap(const Symbol& symbol, int scale) {
  const std::uint32_t side = static_cast<std::uint32_t>((symbol.size + 2 * kQuietZone) * scale);
  const std::uint32_t stride = (side + 31) / 32 * 4;
  const std::uint32_t headers = 14 + 40 + 8;
  std::vector<std::uint8_t> out;
  out.reserve(headers + stride * side);
  out.push_back('B');
  out.push_back('M');
  Put32(out, headers + stride * side);
  Put32(out, 0);
  Put32(out, headers);
  // BITMAPINFOHEADER: 1 bit per pixel, uncompressed, 2835 pixels per metre (72 dpi)
  for (std::uint32_t value : {40u, side, side}) Put32(out, value);
  Put16(out, 1);
  Put16(out, 1);
  for (std::uint32_t value : {0u, stride * side, 2835u, 2835u, 2u, 2u}) Put32(out, value);
  Put32(out, 0x00FFFFFF);  // palette: white, then black
  Put32(out, 0x00000000);

  const size_t rows = out.size();
  out.resize(rows + static_cast<size_t>(stride) * side, 0);
  for (std::uint32_t py = 0; py < side; ++py) {
    std::uint8_t* row = out.data() + rows + static_cast<size_t>(side - 1 - py) * stride;  // bottom-up
    const int y = static_cast<int>(py) / scale - kQuietZone;
    for (std::uint32_t px = 0; px < side; ++px) {
      const int x = static_cast<int>(px) / scale - kQuietZone;
      const bool inside = x >= 0 && y >= 0 && x < symbol.size && y < symbol.size;
      if (inside && symbol.Dark(x, y)) row[px / 8] |= static_cast<std::uint8_t>(0x80 >> (px % 8));
    }
  }
  return out;
}

}  // namespace encodeqr
