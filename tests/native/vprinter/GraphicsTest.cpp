// NV bit images (FS q, FS p) and NV graphics (GS 8 L, GS ( L) stored, then
// printed, deleted, and what an unfinished definition does.
#include <gtest/gtest.h>

#include "PrintBench.h"

namespace {

using namespace printbench;

// An 8 x 8 NV image in column format: column c has dot c (a diagonal) and the top dot.
std::string Diagonal() {
  std::string columns;
  for (int c = 0; c < 8; ++c) columns += static_cast<char>(0x80 >> c | 0x80);
  return columns;
}

bool DiagonalDot(int x, int y) { return x == y || y == 0; }

// The kit's logo print: ESC @, centre, 1D 54, FS p 1 m, ESC @, NUL; six LFs.
std::string KitLogoPrint(int m) {
  return B({0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1C, 0x70, 0x01, m, 0x1B, 0x40, 0x00}) + std::string(6, '\n');
}

int WrongDots(const Bitmap& page, int left, int scale, int size, bool (*dot)(int, int)) {
  int wrong = 0;
  for (int y = 0; y < size * scale; ++y) {
    for (int x = 0; x < page.width; ++x) {
      const bool inside = x >= left && x < left + size * scale;
      wrong += page.Get(x, y) != (inside && dot((x - left) / scale, y / scale));
    }
  }
  return wrong;
}

TEST(Graphics, NvBitImagesStoredThenPrintedAtTheirSize) {
  struct Case {
    int m, scale;
  };
  for (const Case c : {Case{0x30, 1}, Case{0x33, 2}, Case{0x00, 1}, Case{0x03, 2}}) {
    Bench bench;
    bench.Feed(B({0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00}) + Diagonal() + B({0x00, 0x00, 0x00}));
    bench.Feed(KitLogoPrint(c.m));
    ASSERT_EQ(bench.Receipts().size(), 1u);
    const Receipt& receipt = bench.out.receipts[0];
    EXPECT_EQ(receipt.text[0], "[NV bit image 1 8x8]");
    EXPECT_EQ(receipt.page.height, 8 * c.scale + 6 * 30);
    EXPECT_EQ(WrongDots(receipt.page, (576 - 8 * c.scale) / 2, c.scale, 8, DiagonalDot), 0) << c.m;
  }
}

TEST(Graphics, FsQReplacesEveryImageAndNumbersThemInOrder) {
  Bench bench;
  const std::string blank = B({0x01, 0x00, 0x01, 0x00}) + std::string(8, '\0');
  bench.Feed(B({0x1C, 0x71, 0x02}) + blank + B({0x01, 0x00, 0x01, 0x00}) + Diagonal());
  bench.Feed(KitLogoPrint(0x30));
  EXPECT_TRUE(bench.Receipts().empty());  // image 1 is white
  bench.Feed(B({0x1B, 0x61, 0x01, 0x1C, 0x70, 0x02, 0x30, 0x1D, 0x56, 0x00}));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(WrongDots(bench.out.receipts[0].page, 284, 1, 8, DiagonalDot), 0);
  bench.Feed(B({0x1C, 0x71, 0x01}) + blank + B({0x1C, 0x70, 0x02, 0x30}));
  EXPECT_TRUE(bench.out.Noted("FS p: no NV bit image 2"));
}

TEST(Graphics, AnUnfinishedDefinitionTakesTheNextBytesAsImages) {
  Bench bench;
  // two images announced, one sent: "Hello" becomes the second one's header and data
  bench.Feed(B({0x1C, 0x71, 0x02, 0x01, 0x00, 0x01, 0x00}) + Diagonal() + "Hello\n" + B({0x1D, 0x56, 0x00}));
  EXPECT_TRUE(bench.out.Noted("NV bit image 2 (")) << testing::PrintToString(bench.out.notes);
  for (const auto& receipt : bench.Receipts()) {
    for (const auto& line : receipt.text) EXPECT_EQ(line.find("Hello"), std::string::npos);
  }
}

// A 16 x 2 picture: row 0 is 0xF0 0x0F, row 1 is 0x81 0x18.
bool GraphicDot(int x, int y) {
  const int rows[2][2] = {{0xF0, 0x0F}, {0x81, 0x18}};
  return x >= 0 && x < 16 && y < 2 && (rows[y][x / 8] >> (7 - x % 8)) & 1;
}

// The kit's NV graphics definition: GS 8 L with key kc1 kc2.
std::string DefineGraphic(int kc1, int kc2) {
  return B({0x1D, 0x38, 0x4C, 11 + 4, 0x00, 0x00, 0x00, 0x30, 0x43, 0x30, kc1, kc2, 0x01, 0x10, 0x00, 0x02, 0x00,
            0x31, 0xF0, 0x0F, 0x81, 0x18});
}

// The kit's print: ESC @, centre, 1D 54, GS ( L function 69 with scale x y.
std::string PrintGraphic(int kc1, int kc2, int x, int y) {
  return B({0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, kc1, kc2, x, y}) +
         B({0x1D, 0x56, 0x01});
}

TEST(Graphics, NvGraphicsDefinedPrintedAndDeleted) {
  Bench bench;
  bench.Feed(DefineGraphic(0x30, 0x30) + PrintGraphic(0x30, 0x30, 1, 1));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  EXPECT_EQ(bench.out.receipts[0].text[0], "[NV graphics 16x2]");
  EXPECT_EQ(bench.out.receipts[0].page.height, 2);
  int wrong = 0;
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 576; ++x) wrong += bench.out.receipts[0].page.Get(x, y) != GraphicDot(x - 280, y);
  }
  EXPECT_EQ(wrong, 0);
  bench.Feed(PrintGraphic(0x30, 0x30, 2, 2));
  ASSERT_EQ(bench.Receipts().size(), 2u);
  EXPECT_EQ(bench.out.receipts[1].page.height, 4);

  bench.Feed(B({0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, 0x30, 0x30}) + PrintGraphic(0x30, 0x30, 1, 1));
  EXPECT_TRUE(bench.out.Noted("NV graphics deleted"));
  EXPECT_TRUE(bench.out.Noted("NV graphics: nothing stored under that key code"));
  EXPECT_EQ(bench.Receipts().size(), 2u);
}

TEST(Graphics, DeleteAllAndKeyCodesOutsideTheRange) {
  struct Case {
    std::string bytes, note;
    bool printed;
  };
  const Case cases[] = {
      {B({0x1D, 0x28, 0x4C, 0x05, 0x00, 0x30, 0x41, 0x43, 0x4C, 0x52}), "NV graphics: all deleted", false},
      {B({0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, 0x14, 0x30}), "key code outside 32-126", true},
      {B({0x1D, 0x28, 0x4C, 0x05, 0x00, 0x30, 0x41, 0x43, 0x4C, 0x58}), "function 65: not simulated", true},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(DefineGraphic(0x30, 0x30) + c.bytes + PrintGraphic(0x30, 0x30, 1, 1));
    EXPECT_TRUE(bench.out.Noted(c.note)) << testing::PrintToString(bench.out.notes);
    EXPECT_EQ(bench.Receipts().size(), c.printed ? 1u : 0u) << c.note;
  }
  Bench refused;
  refused.Feed(DefineGraphic(31, 0x30));
  EXPECT_TRUE(refused.out.Noted("NV graphics definition with a bad header: ignored"));
}

}  // namespace
