// The bitmap info line in both languages, its size figure as shown.
#include <gtest/gtest.h>

#include "prtbench/imaging/InfoLine.h"

namespace {

using namespace prtbench;

TEST(InfoLine, PiecesInBothLanguagesAndBothSizeTexts) {
  struct Case {
    InfoSizeText size;
    Language language;
    const char* line;
  };
  const Case cases[] = {
      {InfoSizeText::WithLimit, Language::English,
       "BMP: C:\\a b\\logo.bmp  Width：384  Height：100  Size(bytes)：4992,Max size is 32k bytes"},
      {InfoSizeText::Plain, Language::English, "BMP: C:\\a b\\logo.bmp  Width：384  Height：100  Size(bytes)：4992"},
      {InfoSizeText::WithLimit, Language::Chinese,
       "位图: C:\\a b\\logo.bmp   宽度：384   高度：100   大小(bytes)：4992,最大不能超过32K(bytes)"},
      {InfoSizeText::Plain, Language::Chinese, "位图: C:\\a b\\logo.bmp   宽度：384   高度：100   大小(bytes)：4992"},
  };
  for (const Case& c : cases) EXPECT_EQ(BitmapInfoLine("C:\\a b\\logo.bmp", 384, 100, c.size, c.language), c.line);
}

TEST(InfoLine, SizeCountsOneRowMoreWhenTheHeightIsAMultipleOfEight) {
  struct Case {
    std::uint32_t width, height;
    std::int32_t size;
  };
  for (const Case& c : {Case{10, 16, 30}, Case{10, 15, 20}, Case{10, 17, 30}, Case{7, 0, 7}, Case{0, 5, 0},
                        Case{576, 4000, 576 * 501}}) {
    EXPECT_EQ(InfoLineSize(c.width, c.height), c.size) << c.width << "x" << c.height;
  }
  EXPECT_EQ(BitmapInfoLine("x", 10, 16, InfoSizeText::Plain, Language::English),
            "BMP: x  Width：10  Height：16  Size(bytes)：30");
}

}  // namespace
