// rkit's picture reader on Linux: 24-bit and paletted BMP in either row
// order, PNG through libpng, and what it refuses.
#include <gtest/gtest.h>

#include <fstream>

#include "rkit/posix/PictureFile.h"
#include "support/BmpFile.h"
#include "support/VPrinterProcess.h"
#include "vprinter/escpos/Png.h"

namespace {

using prtbench::DecodedImage;
using rkit::DecodeBmp;

constexpr prtbench::Colour kWhite = 0xFFFFFF, kRed = 0x0000FF, kBlack = 0;

// A 1-bit BMP of 3 x 2, palette white and red, written byte by byte; a
// negative height stores the rows top down.
std::string PalettedBmp(bool topDown) {
  std::string f = "BM";
  auto le = [&f](std::uint32_t v, int n) {
    for (int i = 0; i < n; ++i) f += static_cast<char>(v >> (8 * i));
  };
  le(70, 4), le(0, 4), le(62, 4);                    // size, reserved, pixel offset
  le(40, 4), le(3, 4), le(topDown ? -2 : 2, 4);      // info size, width, height
  le(1, 2), le(1, 2), le(0, 4), le(8, 4), le(0, 4), le(0, 4), le(2, 4), le(0, 4);
  le(0x00FFFFFF, 4), le(0x00FF0000, 4);              // B G R 0: white, then red (FF in the third byte)
  const char top = static_cast<char>(0xA0), bottom = 0x40;  // 1 0 1 / 0 1 0
  f += std::string(1, topDown ? top : bottom) + std::string(3, '\0');
  f += std::string(1, topDown ? bottom : top) + std::string(3, '\0');
  return f;
}

TEST(RkitPictureFile, BmpInEachLayout) {
  const DecodedImage colours{2, 2, {kRed, kWhite, kBlack, 0x123456}};
  const DecodedImage fromColours = DecodeBmp(testsupport::BmpFile(colours));
  EXPECT_EQ(fromColours.pixels, colours.pixels);
  for (bool topDown : {false, true}) {
    const DecodedImage image = DecodeBmp(PalettedBmp(topDown));
    EXPECT_EQ(image.width, 3u);
    EXPECT_EQ(image.height, 2u);
    EXPECT_EQ(image.pixels, (std::vector<prtbench::Colour>{kRed, kWhite, kRed, kWhite, kRed, kWhite})) << topDown;
  }
}

TEST(RkitPictureFile, PngMissingAndUnreadable) {
  const std::string dir = testsupport::MakeTempDir();
  vprinter::escpos::Bitmap page(3, 1);
  page.Set(1, 0);
  ASSERT_TRUE(vprinter::escpos::WritePng(dir + "/p.png", page, ""));
  const auto png = rkit::ReadPictureFile(dir + "/p.png");
  ASSERT_TRUE(png);
  EXPECT_EQ(png->pixels, (std::vector<prtbench::Colour>{kWhite, kBlack, kWhite}));
  EXPECT_FALSE(rkit::ReadPictureFile(dir + "/none.png"));
  std::ofstream(dir + "/text.png") << "not a picture";
  EXPECT_EQ(rkit::ReadPictureFile(dir + "/text.png")->width, 0u);
  const std::string truncated = PalettedBmp(false).substr(0, 64);
  EXPECT_EQ(DecodeBmp(truncated).width, 0u);
}

}  // namespace
