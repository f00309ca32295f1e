// The preview BMP's headers and pixels, and the [QR] key readings.
#include <gtest/gtest.h>

#include "encodeqr/Bitmap.h"
#include "encodeqr/Settings.h"

namespace {

using namespace encodeqr;

std::uint32_t Le32(const std::vector<std::uint8_t>& b, size_t at) {
  return b[at] | b[at + 1] << 8 | b[at + 2] << 16 | static_cast<std::uint32_t>(b[at + 3]) << 24;
}

// Pixel (x, y) from the top of a 1-bit bottom-up BMP: true when black.
bool Black(const std::vector<std::uint8_t>& b, std::uint32_t x, std::uint32_t y) {
  const std::uint32_t side = Le32(b, 18), stride = (side + 31) / 32 * 4;
  const std::uint8_t byte = b[Le32(b, 10) + (side - 1 - y) * stride + x / 8];
  return (byte >> (7 - x % 8)) & 1;
}

TEST(Bitmap, HeadersQuietZoneAndScaledModules) {
  // a 3 x 3 "symbol": only the top-left and bottom-right modules dark
  const Symbol symbol{1, 0, 3, {1, 0, 0, 0, 0, 0, 0, 0, 1}};
  const auto bmp = SymbolBitmap(symbol, 3);
  const std::uint32_t side = (3 + 8) * 3, stride = 8;
  ASSERT_EQ(bmp.size(), 62 + stride * side);
  EXPECT_EQ(bmp[0], 'B');
  EXPECT_EQ(bmp[1], 'M');
  EXPECT_EQ(Le32(bmp, 2), bmp.size());
  EXPECT_EQ(Le32(bmp, 10), 62u);
  EXPECT_EQ(Le32(bmp, 18), side);
  EXPECT_EQ(Le32(bmp, 22), side);
  EXPECT_EQ(bmp[28], 1);  // bits per pixel
  EXPECT_EQ(Le32(bmp, 54), 0x00FFFFFFu);
  EXPECT_EQ(Le32(bmp, 58), 0u);
  int blackPixels = 0;
  for (std::uint32_t y = 0; y < side; ++y) {
    for (std::uint32_t x = 0; x < side; ++x) blackPixels += Black(bmp, x, y);
  }
  EXPECT_EQ(blackPixels, 18);
  for (std::uint32_t d = 12; d < 15; ++d) EXPECT_TRUE(Black(bmp, d, 12) && Black(bmp, 18 + d - 12, 20));
  EXPECT_FALSE(Black(bmp, 11, 12));
  EXPECT_FALSE(Black(bmp, 15, 12));
}

TEST(Settings, LevelsScalesAndTheDoubledPath) {
  struct Level {
    const char* text;
    Ecc ecc;
  };
  for (const Level& l : {Level{"7%", Ecc::Low}, Level{"15%", Ecc::Medium}, Level{"25%", Ecc::Quartile},
                         Level{"30%", Ecc::High}, Level{"", Ecc::Quartile}, Level{"7", Ecc::Quartile},
                         Level{"30% ", Ecc::Quartile}}) {
    EXPECT_EQ(EccFromText(l.text), l.ecc) << l.text;
  }
  struct Scale {
    const char* text;
    int scale;
  };
  for (const Scale& s : {Scale{"1", 1}, Scale{"7", 7}, Scale{"16", 16}, Scale{"17", 2}, Scale{"0", 2},
                         Scale{"", 2}, Scale{"x", 2}, Scale{"-3", 2}, Scale{"007", 2}}) {
    EXPECT_EQ(ScaleFromText(s.text), s.scale) << s.text;
  }
  EXPECT_EQ(UndoubleBackslashes("C:\\\\kit\\\\Printer.ini"), "C:\\kit\\Printer.ini");
  EXPECT_EQ(UndoubleBackslashes("\\\\\\\\host\\\\s"), "\\\\host\\s");
  EXPECT_EQ(UndoubleBackslashes("a\\b"), "a\\b");
}

}  // namespace
