// GDI+ decoding of BMP (1, 4, 8 with and without RLE, 24, 32 bits) and PNG
// made by ImageMagick, pixel for pixel against ImageMagick's own reading of
// the same files; unreadable files decode as 0 x 0.
#include <gtest/gtest.h>

#include "ImagingDriver.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "support/Unix.h"
#include "winui/Utf.h"

namespace {

using namespace prtbench;
using testsupport::RunShell;
using testsupport::ShellQuote;

TEST(DecodeImageFile, EveryFormatGivesTheSamePixelsAsImageMagickReads) {
  const std::string dir = testsupport::MakeTempDir();
  const std::string source = dir + "/source.png";
  // 8 bits a channel: decoders round 16-bit samples differently
  ASSERT_EQ(RunShell("convert -size 37x23 -seed 7 plasma:fractal -depth 8 " + ShellQuote(source)), 0);
  struct Format {
    std::string name;
    std::string options;
  };
  const Format formats[] = {
      {"b1.bmp", "-monochrome BMP3:"},
      {"b4.bmp", "-colors 16 -type Palette -compress None BMP3:"},
      {"b8.bmp", "-colors 200 -type Palette -compress None BMP3:"},
      {"b8rle.bmp", "-colors 200 -type Palette -compress RLE BMP3:"},
      {"b24.bmp", "-type TrueColor BMP3:"},
      {"b32.bmp", "-alpha set -type TrueColorAlpha BMP:"},
      {"p24.png", "-depth 8 PNG24:"},
      {"p8.png", "-colors 50 -depth 8 PNG8:"},
  };
  for (const Format& f : formats) {
    const std::string file = dir + "/" + f.name;
    ASSERT_EQ(RunShell("convert " + ShellQuote(source) + " " + f.options + ShellQuote(file) + " && convert " +
                       ShellQuote(file) + " -depth 8 rgb:" + ShellQuote(file + ".rgb")),
              0)
        << f.name;
    const std::string rgb = testsupport::ReadFile(file + ".rgb");
    const DecodedImage image = DecodeImageFile(winui::Narrow(testsupport::WindowsPath(file)));
    ASSERT_EQ(image.width, 37u) << f.name;
    ASSERT_EQ(image.height, 23u) << f.name;
    ASSERT_EQ(rgb.size(), 37u * 23u * 3u) << f.name;
    int different = 0;
    for (size_t i = 0; i < image.pixels.size(); ++i) {
      const auto* p = reinterpret_cast<const std::uint8_t*>(rgb.data()) + 3 * i;
      different += image.pixels[i] != MakeColour(p[0], p[1], p[2]);
    }
    EXPECT_EQ(different, 0) << f.name;
  }
}

TEST(DecodeImageFile, UnreadableFilesAreZeroByZero) {
  const std::string dir = testsupport::MakeTempDir();
  testsupport::WriteFile(dir + "/text.bmp", "this is no picture");
  for (const char* name : {"missing.bmp", "text.bmp"}) {
    const DecodedImage image = DecodeImageFile(winui::Narrow(testsupport::WindowsPath(dir + "/" + std::string(name))));
    EXPECT_EQ(image.width, 0u) << name;
    EXPECT_EQ(image.height, 0u) << name;
    EXPECT_TRUE(image.pixels.empty()) << name;
  }
}

}  // namespace
