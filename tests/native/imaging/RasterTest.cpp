// The black/white rule at its edges and both packings, bit for bit.
#include <gtest/gtest.h>

#include "Images.h"
#include "prtbench/imaging/Raster.h"

namespace {

using namespace prtbench;
using imagingtest::Draw;

TEST(Raster, ThresholdFollowsTheWholeColourValue) {
  struct Case {
    std::uint8_t r, g, b;
    bool black;
  };
  const Case cases[] = {
      {255, 255, 255, false}, {0, 0, 0, true},          // white, black
      {255, 0, 0, true},      {0, 255, 0, true},        // pure red V = 255, pure green V = 65280
      {0, 0, 255, false},                               // pure blue V = 16711680
      {122, 122, 122, false}, {121, 121, 121, true},    // greys 8026746 and 7960953
      {255, 17, 122, true},   {0, 18, 122, false},      // B = 122 turns on G alone
      {255, 255, 121, true},  {0, 0, 123, false},       // B <= 121 black, B >= 123 white
      {0x00, 0x12, 0x7A, false}, {0xFF, 0x11, 0x7A, true},  // 7A1200 itself, and one below it
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsBlackPixel(MakeColour(c.r, c.g, c.b)), c.black) << int(c.r) << "," << int(c.g) << "," << int(c.b);
  }
}

TEST(Raster, RowPackingPutsTheNinthPixelInTheTopBitOfTheSecondByte) {
  const DecodedImage image = Draw(9, 1, [](auto x, auto) { return x == 8; });
  EXPECT_EQ(PackRowRaster(image), (Bytes{0x00, 0x80}));
}

TEST(Raster, RowPackingSizesAndBitOrder) {
  struct Case {
    std::uint32_t width, height;
    size_t size;
  };
  for (const Case& c : {Case{1, 1, 1}, Case{8, 3, 3}, Case{9, 2, 4}, Case{385, 2, 98}, Case{0, 0, 0}, Case{5, 0, 0}}) {
    EXPECT_EQ(PackRowRaster(imagingtest::AllBlack(c.width, c.height)).size(), c.size) << c.width << "x" << c.height;
  }
  // a diagonal: row y has only bit 0x80 >> y
  const Bytes diagonal = PackRowRaster(Draw(8, 8, [](auto x, auto y) { return x == y; }));
  for (std::uint8_t y = 0; y < 8; ++y) EXPECT_EQ(diagonal[y], 0x80 >> y);
  // bits past the last column stay 0 even when the row is all black
  EXPECT_EQ(PackRowRaster(imagingtest::AllBlack(10, 1)), (Bytes{0xFF, 0xC0}));
}

TEST(Raster, ColumnPackingOfTenByFive) {
  // five rows: one byte per column, bits 0x80 to 0x08, then six filler columns
  const Bytes packed = PackColumnRaster(imagingtest::AllBlack(10, 5));
  Bytes expected(10, 0xF8);
  expected.resize(16, 0x00);
  EXPECT_EQ(packed, expected);
}

TEST(Raster, ColumnPackingOrderAndSizes) {
  // column x has its dot in row x: the topmost dot is the top bit
  const Bytes diagonal = PackColumnRaster(Draw(3, 10, [](auto x, auto y) { return y == x + 7; }));
  EXPECT_EQ(diagonal, (Bytes{0x01, 0x00, 0x00, 0x80, 0x00, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  struct Case {
    std::uint32_t width, height;
    size_t size;
  };
  for (const Case& c : {Case{100, 100, 104 * 13}, Case{384, 100, 384 * 13}, Case{8, 8, 8}, Case{0, 0, 0}, Case{1, 9, 16}}) {
    EXPECT_EQ(PackColumnRaster(imagingtest::AllBlack(c.width, c.height)).size(), c.size) << c.width << "x" << c.height;
  }
}

}  // namespace
