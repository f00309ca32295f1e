// The barcode sample bytes for all nine types.
#include <gtest/gtest.h>

#include <string>

#include "prtbench/imaging/Barcodes.h"

namespace {

using namespace prtbench;

Bytes Of(const std::string& text) { return Bytes(text.begin(), text.end()); }

TEST(Barcodes, Code128SampleIsTheFortyNineBytes) {
  const Bytes expected{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x48, 0x00, 0x1D, 0x77, 0x03, 0x1D, 0x68, 0x64,
                       0x1D, 0x6B, 0x49, 0x0A, 0x7B, 0x42, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35, 0x36, 0x37,
                       0x43, 0x4F, 0x44, 0x45, 0x31, 0x32, 0x38, 0x20, 0x30, 0x31, 0x32, 0x33, 0x34, 0x35,
                       0x36, 0x37, 0x0A, 0x0A, 0x1B, 0x40, 0x00};
  EXPECT_EQ(BarcodeSampleCommands(8, 100), expected);  // height entry "101"
}

TEST(Barcodes, EveryTypeCarriesItsSymbologyWidthDataAndCaption) {
  struct Case {
    int type;
    std::uint8_t m, width;
    std::string data, caption;
  };
  const Case cases[] = {
      {0, 0x41, 3, "01234567890", "UPC_A 012345678905"}, {1, 0x42, 3, "01234567890", "UPC_E 01234505"},
      {2, 0x43, 3, "012345678901", "EAN(JAN)13 012345678901"}, {3, 0x44, 3, "0123456", "EAN(JAN)8 0123456"},
      {4, 0x45, 3, "0123456", "CODE39 0123456"}, {5, 0x46, 3, "0123456789", "ITF 0123456789"},
      {6, 0x47, 2, "B1234567890B", "CODABAR 0123456789"}, {7, 0x48, 3, "0123456789", "CODE93 0123456789"},
      {8, 0x49, 3, "{B01234567", "CODE128 01234567"},
  };
  for (const Case& c : cases) {
    Bytes expected{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x48, 0x00, 0x1D, 0x77, c.width, 0x1D, 0x68, 0x80,
                   0x1D, 0x6B, c.m, static_cast<std::uint8_t>(c.data.size())};
    for (const Bytes& piece : {Of(c.data), Of(c.caption), Bytes{0x0A, 0x0A, 0x1B, 0x40, 0x00}}) {
      expected.insert(expected.end(), piece.begin(), piece.end());
    }
    EXPECT_EQ(BarcodeSampleCommands(c.type, 128), expected) << c.type;
  }
}

TEST(Barcodes, NoTypeSendsNothingAndTheHeightIsOneByte) {
  for (int type : {-1, 9, 100}) EXPECT_TRUE(BarcodeSampleCommands(type, 128).empty()) << type;
  struct Height {
    int position;
    std::uint8_t sent;
  };
  for (const Height& h : {Height{0, 0x00}, Height{128, 0x80}, Height{254, 0xFE}, Height{-1, 0xFF}}) {
    EXPECT_EQ(BarcodeSampleCommands(0, h.position)[13], h.sent) << h.position;
  }
}

TEST(Barcodes, AnyDataUpToWhatTheLengthByteCounts) {
  const std::string data(255, '7');
  const Bytes longest = BarcodeCommands(4, 60, data, "");
  ASSERT_EQ(longest.size(), 18u + 255u + 5u);
  EXPECT_EQ(longest[13], 60);    // GS h
  EXPECT_EQ(longest[16], 0x45);  // GS k m: CODE39
  EXPECT_EQ(longest[17], 0xFF);  // n
  EXPECT_TRUE(BarcodeCommands(4, 60, data + "7", "").empty());
  EXPECT_TRUE(BarcodeCommands(9, 60, "1", "").empty());
}

}  // namespace
