// The interpreter's text, raster images, line feeds, cuts, unknown bytes and
// caps, judged on the printed page.
#include <gtest/gtest.h>

#include <random>

#include "PrintBench.h"
#include "vprinter/escpos/CodePage.h"
#include "vprinter/escpos/Font.h"

namespace {

using namespace printbench;
using vprinter::escpos::Font;

// The test picture: a diagonal and a stripe pattern, no two rows alike.
bool Dot(int x, int y) { return x == y || (x * 7 + y * 13) % 11 < 4; }

// GS v 0 m of a w x h picture of Dot, the row raster packed here.
std::string Raster(int w, int h, int m = 0) {
  const int bpr = (w + 7) / 8;
  std::string bytes = B({0x1D, 0x76, 0x30, m, bpr & 0xFF, bpr >> 8, h & 0xFF, h >> 8});
  for (int y = 0; y < h; ++y) {
    for (int b = 0; b < bpr; ++b) {
      int byte = 0;
      for (int bit = 0; bit < 8; ++bit) byte |= (b * 8 + bit < w && Dot(b * 8 + bit, y)) ? 0x80 >> bit : 0;
      bytes += static_cast<char>(byte);
    }
  }
  return bytes;
}

TEST(Interpreter, RasterImageLandsOnThePageDotForDot) {
  struct Case {
    int paper, w, h, m;
    std::string align;
    int left, sx, sy;
  };
  const Case cases[] = {
      {576, 576, 400, 0, "", 0, 1, 1},
      {384, 384, 100, 0, "", 0, 1, 1},
      {576, 385, 50, 0, B({0x1B, 0x61, 0x01}), (576 - 392) / 2, 1, 1},  // 49 bytes a row: 392 dots
      {384, 640, 20, 0, "", 0, 1, 1},                                   // wider than the paper: clipped
      {576, 100, 30, 3, B({0x1B, 0x61, 0x02}), 576 - 208, 2, 2},        // quadruple, right
      {576, 64, 10, 0x31, "", 0, 2, 1},                                 // double width, as '1'
  };
  for (const Case& c : cases) {
    Bench bench(c.paper);
    bench.Feed(c.align + Raster(c.w, c.h, c.m) + B({0x1D, 0x56, 0x01}));
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.w;
    const Bitmap& page = bench.out.receipts[0].page;
    ASSERT_EQ(page.width, c.paper);
    ASSERT_EQ(page.height, c.h * c.sy);
    int wrong = 0;
    for (int y = 0; y < page.height; ++y) {
      for (int x = 0; x < page.width; ++x) {
        const int ix = (x - c.left) / c.sx, iy = y / c.sy;
        const bool expected = x >= c.left && ix < c.w && Dot(ix, iy);
        wrong += page.Get(x, y) != expected;
      }
    }
    EXPECT_EQ(wrong, 0) << c.w << "x" << c.h << " mode " << c.m;
    EXPECT_EQ(bench.out.receipts[0].text[0], "[raster image " + std::to_string((c.w + 7) / 8 * 8) + "x" +
                                                  std::to_string(c.h) + "]");
    EXPECT_EQ(bench.out.receipts[0].ending, "partial cut");
  }
}

// The 12 x 24 glyph of `c` in the console font itself.
const Bitmap& FontAGlyph(char32_t c) {
  static const Font font = [] {
    std::string error;
    return *Font::LoadPsf("/usr/share/consolefonts/Uni2-Terminus24x12.psf.gz", error);
  }();
  return *font.Glyph(c);
}

TEST(Interpreter, CodePagesPrintTheirOwnGlyphs) {
  struct Case {
    int table;
    std::string bytes;
    std::u32string chars;
    std::string text;
  };
  const Case cases[] = {
      {3, B({0x84, 0x86, 0x8C, 0x99, 0x87}), U"ãÁÔÕç", "ãÁÔÕç"},  // PC860
      {0, B({0x84, 0x86, 0x8C, 0x99, 0x87}), U"äåîÖç", "äåîÖç"},  // PC437, the same bytes
      {2, B({0x9B, 0xD5, 0xE1}), U"øıß", "øıß"},                   // PC850
      {19, B({0x9B, 0xD5, 0xE1}), U"ø€ß", "ø€ß"},                  // PC858: the euro
      {17, B({0x80, 0x8F, 0xE0}), U"АПр", "АПр"},                  // PC866
      {16, B({0x80, 0xE3, 0xDF}), U"€ãß", "€ãß"},                  // WPC1252
      {4, B({0x84, 0x86}), U"Â¶", "Â¶"},                           // PC863
      {5, B({0x9B, 0x9D, 0xAF}), U"øØ¤", "øØ¤"},                  // PC865
      {18, B({0x85, 0x9F, 0xA5}), U"ůčą", "ůčą"},                 // PC852
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(B({0x1B, 0x74, c.table}) + c.bytes + "\n" + B({0x1D, 0x56, 0x00}));
    ASSERT_EQ(bench.Receipts().size(), 1u);
    const Receipt& receipt = bench.out.receipts[0];
    EXPECT_EQ(receipt.text[0], c.text) << "table " << c.table;
    for (size_t i = 0; i < c.chars.size(); ++i) {
      const Bitmap& glyph = FontAGlyph(c.chars[i]);
      int wrong = 0;
      for (int y = 0; y < 24; ++y) {
        for (int x = 0; x < 12; ++x) wrong += receipt.page.Get(static_cast<int>(i) * 12 + x, y) != glyph.Get(x, y);
      }
      EXPECT_EQ(wrong, 0) << "table " << c.table << " character " << i;
    }
  }
}

TEST(Interpreter, TableOneIsHalfWidthKatakana) {
  Bench bench;
  bench.Feed(B({0x1B, 0x74, 0x01, 0xB1, 0xC4, 0xDD, 0x41, 0x0A}));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(bench.out.receipts[0].text[0], "ｱﾄﾝA");
}

TEST(Interpreter, InternationalSetsReplaceTheirAsciiCharacters) {
  struct Case {
    int set;
    std::string text;
  };
  const Case cases[] = {{0, "#$@[\\]{|}~"}, {1, "#$à°ç§éùè¨"}, {2, "#$§ÄÖÜäöüß"}, {3, "£$@[\\]{|}~"},
                        {5, "#¤ÉÄÖÅäöåü"},   {7, "₧$@¡Ñ¿¨ñ}~"},   {8, "#$@[¥]{|}~"},   {10, "#$ÉÆØÅæøåü"},
                        {11, "#$á¡Ñ¿íñóú"},  {12, "#$á¡Ñ¿íñóú"},  {13, "#$@[₩]{|}~"},   {14, "#$ŽŠĐĆšđćč"},
                        {15, "#¥@[\\]{|}~"}};
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(B({0x1B, 0x52, c.set}) + "#$@[\\]{|}~\n");
    ASSERT_EQ(bench.Receipts().size(), 1u);
    EXPECT_EQ(bench.out.receipts[0].text[0], c.text) << c.set;
  }
  Bench unknown;
  unknown.Feed(B({0x1B, 0x52, 0x02, 0x1B, 0x52, 0x63}) + "[\n");
  EXPECT_TRUE(unknown.out.Noted("ESC R 99: no such character set, kept 2"));
  EXPECT_EQ(unknown.Receipts()[0].text[0], "Ä");
}

TEST(Interpreter, GbkTextPrintsDoubleWidthCharactersUnderFsAmpersand) {
  Bench bench;
  bench.Feed(B({0x1C, 0x26, 0xD6, 0xD0, 0xCE, 0xC4, 0x1C, 0x2E, 0xD6}) + "\n" + B({0x1D, 0x56, 0x00}));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(bench.out.receipts[0].text[0], "中文╓");  // after FS . the byte D6 is PC860 again
  const Bitmap& page = bench.out.receipts[0].page;
  bool inkInSecond = false;
  for (int y = 0; y < 24; ++y) {
    for (int x = 24; x < 48; ++x) inkInSecond |= page.Get(x, y);
  }
  EXPECT_TRUE(inkInSecond);
}

TEST(Interpreter, LinesTakeTheirSpacingOrTheirHeight) {
  struct Case {
    std::string bytes;
    int height;
  };
  const Case cases[] = {
      {"A\n", 30},                              // default spacing
      {B({0x1B, 0x33, 10}) + "A\n", 24},        // spacing below the character height
      {B({0x1B, 0x21, 0x10}) + "A\n", 48},      // double height
      {B({0x1D, 0x21, 0x22}) + "A\n", 72},      // three times as high
      {B({0x1B, 0x21, 0x01}) + "A\n", 30},      // font B, 17 high
      {"A" + B({0x1B, 0x4A, 100}), 100},        // ESC J: print and feed 100 dots
      {"A" + B({0x1B, 0x64, 3}), 90},           // ESC d 3
      {"A\r\n", 30},                            // CR adds nothing
      {"A\n" + B({0x1B, 0x4A, 50}), 80},        // a feed on an empty line
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes + B({0x1D, 0x56, 0x01}));
    ASSERT_EQ(bench.Receipts().size(), 1u);
    EXPECT_EQ(bench.out.receipts[0].page.height, c.height) << testing::PrintToString(c.bytes);
  }
}

TEST(Interpreter, AFullLineWrapsAndEscAtDropsWhatIsNotPrinted) {
  Bench bench;
  bench.Feed(std::string(50, 'x') + "\n" + "lost" + B({0x1B, 0x40}) + "kept\n" + B({0x1D, 0x56, 0x00}));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(bench.out.receipts[0].text,
            (std::vector<std::string>{std::string(48, 'x'), "xx", "kept"}));
  EXPECT_TRUE(bench.out.Noted("ESC @ cleared unprinted text: \"lost\""));
}

TEST(Interpreter, CutsEndReceipts) {
  struct Case {
    std::string cut;
    std::string ending;
    int height;
  };
  const Case cases[] = {
      {B({0x1D, 0x56, 0x00}), "full cut", 30},    {B({0x1D, 0x56, 0x30}), "full cut", 30},
      {B({0x1D, 0x56, 0x01}), "partial cut", 30}, {B({0x1D, 0x56, 0x41, 0x48}), "full cut", 30 + 0x48},
      {B({0x1D, 0x56, 0x42, 0x00}), "partial cut", 30}, {B({0x1B, 0x69}), "partial cut", 30},
      {B({0x1B, 0x6D}), "partial cut", 30},       {"", "not cut: the job ended", 30},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed("A\n" + c.cut);
    ASSERT_EQ(bench.Receipts().size(), 1u);
    EXPECT_EQ(bench.out.receipts[0].ending, c.ending);
    EXPECT_EQ(bench.out.receipts[0].page.height, c.height);
  }
}

TEST(Interpreter, BlankPaperMakesNoReceipt) {
  Bench bench;
  bench.Feed(B({0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00}));  // the kit's cut test
  EXPECT_TRUE(bench.Receipts().empty());
  EXPECT_TRUE(bench.out.Noted("blank paper fed (60 dots)"));
}

TEST(Interpreter, UnknownBytesAreNotedAndSkipped) {
  struct Case {
    std::string bytes;
    std::string note;
  };
  const Case cases[] = {
      {B({0x1B, 0x99}), "ESC 99 unknown: skipped 1B 99"},
      {B({0x1D, 0x99}), "GS 99 unknown"},
      {B({0x1C, 0x99}), "FS 99 unknown"},
      {B({0x01, 0x02, 0x03}), "unknown bytes skipped: 01 02 03 (3 bytes)"},
      {B({0x1F, 0x1B, 0x1F, 0x77}), "configuration: configuration command 77 unknown"},
      {B({0x1F, 0x0D}), "unknown bytes skipped: 1F (1 bytes)"},
      {B({0x1D, 0x6B, 0x09}), "GS k system 9 unknown"},
      {B({0x1D, 0x56, 0x07}), "GS V mode 7 unknown"},
      {B({0x1B, 0x2A, 0x05}), "ESC * mode 5 unknown"},
      {B({0x1C, 0x70, 0x05, 0x00}), "FS p: no NV bit image 5"},
      {B({0x1B, 0x74, 0x63}), "ESC t 99: no such character table"},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes + "OK\n" + B({0x1D, 0x56, 0x00}));
    EXPECT_TRUE(bench.out.Noted(c.note)) << testing::PrintToString(bench.out.notes);
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.note;
    EXPECT_EQ(bench.out.receipts[0].text.back(), "OK") << c.note;
  }
}

// One receipt of every kind of command.
std::string Everything() {
  return B({0x1B, 0x40, 0x1B, 0x61, 0x01}) + "Caf" + B({0x82}) + "\n" + Raster(50, 9) +
         B({0x1F, 0x1B, 0x1F, 0x13, 0x14, 0x08, 0, 0, 0, 0}) + B({0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00}) +
         std::string(8, '\x81') + B({0x1C, 0x70, 0x01, 0x30}) +
         B({0x1D, 0x28, 0x6B, 0x30, 0x80, 0x04, 0x00, 'A', 'B', 'C', 0x00, 0x1D, 0x28, 0x6B, 0x30, 0x81}) +
         B({0x1D, 0x6B, 0x49, 0x04, '{', 'B', '1', '2'}) + B({0x1B, 0x2A, 0x21, 0x02, 0x00, 1, 2, 3, 4, 5, 6}) +
         "\n" + B({0x1D, 0x56, 0x01}) + "tail\n";
}

TEST(Interpreter, PiecesOfAnySizeGiveTheSameReceipts) {
  Bench whole;
  whole.Feed(Everything());
  const auto expected = whole.Receipts();
  ASSERT_EQ(expected.size(), 2u);
  std::mt19937 random(7);
  for (int maxPiece : {1, 2, 5, 64}) {
    Bench pieces;
    const std::string all = Everything();
    for (size_t at = 0; at < all.size();) {
      const size_t n = std::min(all.size() - at, static_cast<size_t>(random() % maxPiece + 1));
      pieces.Feed(all.substr(at, n));
      at += n;
    }
    const auto& got = pieces.Receipts();
    ASSERT_EQ(got.size(), expected.size()) << maxPiece;
    for (size_t i = 0; i < got.size(); ++i) {
      EXPECT_EQ(got[i].text, expected[i].text) << maxPiece;
      EXPECT_TRUE(got[i].page.bits == expected[i].page.bits) << maxPiece;
    }
  }
}

TEST(Interpreter, APageLongerThanTheCapIsCutThere) {
  Bench bench;
  const int rows = vprinter::escpos::kMaxPageRows + 8000;
  bench.Feed(B({0x1D, 0x76, 0x30, 0x00, 0x01, 0x00, rows & 0xFF, rows >> 8}) + std::string(rows, '\xFF'));
  const auto& receipts = bench.Receipts();
  ASSERT_EQ(receipts.size(), 2u);
  EXPECT_EQ(receipts[0].page.height, vprinter::escpos::kMaxPageRows);
  EXPECT_EQ(receipts[0].ending, "cut at the page length cap of 32000 dots");
  EXPECT_EQ(receipts[1].page.height, 8000);
}

TEST(Interpreter, AnImageTooBigForNvMemoryIsSkippedWhole) {
  Bench bench;
  // 1023 x 288 units: 2.4 MB, more than the printer's NV memory
  const std::string image = B({0x1C, 0x71, 0x01, 0xFF, 0x03, 0x20, 0x01}) + std::string(1023 * 288 * 8, '\xFF');
  bench.Feed(image + "after\n" + B({0x1C, 0x70, 0x01, 0x00}) + B({0x1D, 0x56, 0x00}));
  EXPECT_TRUE(bench.out.Noted("NV bit image 1 (8184x2304) does not fit: not stored"));
  EXPECT_TRUE(bench.out.Noted("FS p: no NV bit image 1"));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(bench.out.receipts[0].text, std::vector<std::string>{"after"});
}

TEST(Interpreter, UnprintedStateIsReportedAtPowerOff) {
  Bench inImage;
  inImage.Feed(B({0x1D, 0x76, 0x30, 0x00, 0x02, 0x00, 0x02, 0x00, 0xFF}));
  inImage.printer->PowerOff();
  EXPECT_TRUE(inImage.out.Noted("switched off 3 bytes before the end of a command's data"));
  EXPECT_TRUE(inImage.out.receipts.empty());  // no row was complete
  Bench inLine;
  inLine.Feed("waiting");
  inLine.printer->PowerOff();
  EXPECT_TRUE(inLine.out.Noted("switched off with unprinted text in the line buffer: \"waiting\""));
  EXPECT_TRUE(inLine.out.receipts.empty());
}

}  // namespace
