// Where text lands on the line (positions, justification, upside-down), how
// the print modes look, unknown function frames, the graphics buffer, and the
// line's cap; judged on the printed page against simpler receipts.
#include <gtest/gtest.h>

#include "PrintBench.h"

namespace {

using namespace printbench;

// The first receipt's page of `bytes` (a line feed and a cut are the caller's).
Bitmap Page(const std::string& bytes) {
  Bench bench;
  bench.Feed(bytes);
  const auto& receipts = bench.Receipts();
  return receipts.empty() ? Bitmap() : receipts[0].page;
}

// Two pages of one size laid over each other.
Bitmap Over(Bitmap a, const Bitmap& b) {
  for (size_t i = 0; i < a.bits.size() && i < b.bits.size(); ++i) a.bits[i] |= b.bits[i];
  return a;
}

int Inked(const Bitmap& page) {
  int n = 0;
  for (int y = 0; y < page.height; ++y) {
    for (int x = 0; x < page.width; ++x) n += page.Get(x, y);
  }
  return n;
}

TEST(Layout, PositionsPlaceTextWhereThePageAndTheTextDumpShowIt) {
  const std::string esc$ = B({0x1B, 0x24}), escBack = B({0x1B, 0x5C});
  struct Case {
    std::string bytes, same, text;
  };
  const Case cases[] = {
      // a price at the right edge: 576 - 4 * 12 = 528 = 0x210
      {"Coffee" + esc$ + B({0x10, 0x02}) + "3.20\n", "", "Coffee" + std::string(38, ' ') + "3.20"},
      {"A" + escBack + B({24, 0}) + "B\n", "A  B\n", "A  B"},
      {"AB" + escBack + B({0xF4, 0xFF}) + "C\n", "", "ABC"},  // back 12 dots: C over B
      {"A" + esc$ + B({0x58, 0x02}) + "B\n", "AB\n", "AB"},   // 600 is past the edge: ignored
      {B({0x1D, 0x50, 0x65, 0x00}) + esc$ + B({0x0C, 0x00}) + "X\n", std::string(2, ' ') + "X\n", "  X"},
  };
  const Bitmap coffee = Page("Coffee\n"), price = Page(B({0x1B, 0x61, 0x02}) + "3.20\n");
  const Bitmap ab = Page("AB\n"), ac = Page("AC\n");
  const Bitmap expected[] = {Over(coffee, price), Page(cases[1].same), Over(ab, ac), Page(cases[3].same),
                             Page(cases[4].same)};
  for (size_t i = 0; i < std::size(cases); ++i) {
    Bench bench;
    bench.Feed(cases[i].bytes);
    ASSERT_EQ(bench.Receipts().size(), 1u) << i;
    EXPECT_TRUE(bench.out.receipts[0].page.bits == expected[i].bits) << i;
    EXPECT_EQ(bench.out.receipts[0].text[0], cases[i].text) << i;
  }
}

TEST(Layout, SpacingReverseAndJustificationPlaceWhatTheirPositionsWould) {
  const std::string esc$ = B({0x1B, 0x24}), kanji = B({0x1C, 0x26}), gbk = B({0xB0, 0xA1});
  const Bitmap h = Page("H\n"), hAt18 = Page(esc$ + B({18, 0}) + "H\n");
  Bitmap reversed = h;  // the 12 x 24 cell inverted: a byte and a half of each row
  for (int y = 0; y < 24; ++y) {
    reversed.Row(y)[0] ^= 0xFF;
    reversed.Row(y)[1] ^= 0xF0;
  }
  struct Case {
    std::string bytes;
    Bitmap same;
  };
  const Case cases[] = {
      {B({0x1B, 0x20, 6}) + "HH\n", Over(h, hAt18)},  // ESC SP: 6 dots after each character
      {B({0x1D, 0x42, 1}) + "H\n", reversed},
      // FS S 2 4: a 24-dot character between 2 and 4 dots, the next 30 dots on
      {kanji + B({0x1C, 0x53, 2, 4}) + gbk + gbk + "\n",
       Over(Page(kanji + esc$ + B({2, 0}) + gbk + "\n"), Page(kanji + esc$ + B({32, 0}) + gbk + "\n"))},
      // right-justified: the whole line, position and all, ends at the edge
      {B({0x1B, 0x61, 2}) + "A" + esc$ + B({100, 0}) + "B\n",
       Page(esc$ + B({0xD0, 1}) + "A" + esc$ + B({0x34, 2}) + "B\n")},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    EXPECT_GT(Inked(cases[i].same), 0) << i;
    EXPECT_TRUE(Page(cases[i].bytes).bits == cases[i].same.bits) << i;
  }
}

TEST(Layout, BitImagesTakeTheirDensity) {
  // one column with its top dot: 8-dot modes print it three rows high, single density two dots wide
  const struct {
    int m;
    std::string column;
    int dots;
  } cases[] = {{0, B({0x80}), 6}, {1, B({0x80}), 3}, {32, B({0x80, 0, 0}), 2}, {33, B({0x80, 0, 0}), 1}};
  for (const auto& c : cases) {
    const Bitmap page = Page(B({0x1B, 0x2A, c.m, 1, 0}) + c.column + "\n");
    EXPECT_EQ(Inked(page), c.dots) << c.m;
    EXPECT_TRUE(page.Get(0, 0)) << c.m;
  }
}

TEST(Layout, UpsideDownLinesAreTurnedHalfRound) {
  const Bitmap normal = Page("AB\n"), turned = Page(B({0x1B, 0x7B, 0x01}) + "AB\n");
  ASSERT_EQ(turned.height, normal.height);
  // the glyphs' 24 rows turned about the line's centre, the feed below them
  Bitmap strip(normal.width, 24);
  std::copy(normal.bits.begin(), normal.bits.begin() + strip.bits.size(), strip.bits.begin());
  const Bitmap rotated = vprinter::escpos::Rotated180(strip);
  EXPECT_TRUE(std::equal(rotated.bits.begin(), rotated.bits.end(), turned.bits.begin()));
  EXPECT_NE(Inked(normal), 0);
}

TEST(Layout, EmphasisDoubleStrikeUnderlineAndRotationShow) {
  const int plain = Inked(Page("H\n"));
  struct Case {
    std::string modes;
    int moreThan;  // inked dots beyond the plain H at least
  };
  const Case cases[] = {
      {B({0x1B, 0x45, 0x01}), 20}, {B({0x1B, 0x47, 0x01}), 20},
      {B({0x1B, 0x2D, 0x01}), 11}, {B({0x1B, 0x2D, 0x02}), 23},  // one and two rows of 12 dots
      {B({0x1B, 0x21, 0x08}), 20},
  };
  for (const Case& c : cases) {
    EXPECT_GT(Inked(Page(c.modes + "H\n")), plain + c.moreThan) << testing::PrintToString(c.modes);
  }
  // underline rows: the cell's last one (and the one above it for two dots)
  const Bitmap two = Page(B({0x1B, 0x2D, 0x02}) + "I\n");
  for (int x = 0; x < 12; ++x) EXPECT_TRUE(two.Get(x, 22) && two.Get(x, 23)) << x;
  // a quarter turn makes the 12 x 24 cell 24 wide and 12 high
  const Bitmap rotated = Page(B({0x1B, 0x56, 0x01}) + "I\n");
  int right = 0;
  for (int y = 0; y < rotated.height; ++y) {
    for (int x = 0; x < rotated.width; ++x) right = rotated.Get(x, y) ? std::max(right, x) : right;
  }
  EXPECT_GE(right, 12);
}

TEST(Layout, DoubleByteUnderlineIsItsOwn) {
  const std::string kanji = B({0x1C, 0x26, 0xB0, 0xA1, 0x0A});  // one GBK character
  const Bitmap plain = Page(kanji), alnum = Page(B({0x1B, 0x2D, 0x01}) + kanji);
  const Bitmap own = Page(B({0x1C, 0x2D, 0x02}) + kanji);
  EXPECT_EQ(Inked(alnum), Inked(plain));
  for (int x = 0; x < 24; ++x) EXPECT_TRUE(own.Get(x, 22) && own.Get(x, 23)) << x;
}

TEST(Layout, UnknownFunctionFramesAreSkippedWhole) {
  struct Case {
    std::string frame, note;
  };
  const Case cases[] = {
      {B({0x1B, 0x28, 0x41, 0x04, 0x00, 0x30, 0x41, 0x30, 0x30}), "ESC ( 41: not simulated, 9 bytes skipped"},
      {B({0x1C, 0x28, 0x65, 0x02, 0x00, 0x33, 0x41}), "FS ( 65: not simulated, 7 bytes skipped"},
      {B({0x1D, 0x28, 0x45, 0x03, 0x00, 0x01, 0x41, 0x30}), "GS ( 45: not simulated, 8 bytes skipped"},
      {B({0x1D, 0x28, 0x4C, 0x02, 0x00, 0x30, 0x77}), "NV graphics function 119: not simulated"},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.frame + "OK\n");
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.note;
    EXPECT_EQ(bench.out.receipts[0].text, std::vector<std::string>{"OK"}) << c.note;
    EXPECT_TRUE(bench.out.Noted(c.note)) << testing::PrintToString(bench.out.notes);
  }
}

// GS ( L (or GS 8 L) function 112: a 16 x 2 graphic, bx by, colour c.
std::string Buffered(bool longForm, int bx, int by, int c = 49) {
  const std::string params = B({0x30, 0x70, 0x30, bx, by, c, 16, 0, 2, 0, 0xF0, 0x0F, 0x81, 0x18});
  if (longForm) return B({0x1D, 0x38, 0x4C, 14, 0, 0, 0}) + params;
  return B({0x1D, 0x28, 0x4C, 14, 0}) + params;
}

TEST(Layout, TheGraphicsBufferPrintsItsPictureAtItsSize) {
  const std::string print = B({0x1D, 0x28, 0x4C, 0x02, 0x00, 0x30, 0x32});
  const std::string rows[] = {"XXXX........XXXX", "X......X...XX..."};
  struct Case {
    std::string bytes;
    int sx, sy;
  };
  const Case cases[] = {
      {Buffered(false, 1, 1) + print, 1, 1},
      {Buffered(true, 2, 1) + B({0x1D, 0x38, 0x4C, 0x02, 0, 0, 0, 0x30, 0x32}), 2, 1},
      {Buffered(false, 1, 2, 50) + print, 1, 2},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes);
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.sx << c.sy;
    const Bitmap& page = bench.out.receipts[0].page;
    ASSERT_EQ(page.height, 2 * c.sy);
    int wrong = 0;
    for (int y = 0; y < page.height; ++y) {
      for (int x = 0; x < 40; ++x) wrong += page.Get(x, y) != (x < 16 * c.sx && rows[y / c.sy][x / c.sx] == 'X');
    }
    EXPECT_EQ(wrong, 0) << c.sx << c.sy;
    EXPECT_EQ(bench.out.receipts[0].text, std::vector<std::string>{"[graphics 16x2]"});
  }
  Bench empty;
  empty.Feed(print + print);
  EXPECT_TRUE(empty.out.Noted("print the buffered graphics: none in the buffer"));
}

TEST(Layout, ALineHoldsACappedNumberOfCells) {
  std::string overprint;
  for (int i = 0; i < 5000; ++i) overprint += "A" + B({0x1B, 0x5C, 0xF4, 0xFF});  // A, back 12 dots
  std::string empty;
  for (int i = 0; i < 100000; ++i) empty += B({0x1B, 0x2A, 0x00, 0x00, 0x00});
  Bench over, bands;
  over.Feed(overprint + "\n");
  bands.Feed(empty + "B\n");
  // each full line of 2048 cells prints by itself
  EXPECT_EQ(over.Receipts()[0].text.size(), 3u);
  EXPECT_EQ(bands.Receipts()[0].text, std::vector<std::string>{"B"});
}

}  // namespace
