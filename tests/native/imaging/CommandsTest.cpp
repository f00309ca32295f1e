// GS v 0, FS q / FS p and GS 8 L / GS ( L: headers and data at the edge cases.
#include <gtest/gtest.h>

#include <vector>

#include "Images.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/RasterPrint.h"

namespace {

using namespace prtbench;
using imagingtest::AllBlack;
using imagingtest::Draw;

Bytes Head(const Bytes& bytes, size_t n) { return Bytes(bytes.begin(), bytes.begin() + static_cast<long>(n)); }
Bytes Tail(const Bytes& bytes, size_t n) { return Bytes(bytes.end() - static_cast<long>(n), bytes.end()); }

TEST(RasterPrint, HeadersAndSizes) {
  struct Case {
    std::uint32_t width, height;
    Bytes header;
    size_t size;
  };
  const Case cases[] = {
      {384, 100, {0x1D, 0x76, 0x30, 0x00, 0x30, 0x00, 0x64, 0x00}, 8 + 48 * 100},
      {640, 1, {0x1D, 0x76, 0x30, 0x00, 0x50, 0x00, 0x01, 0x00}, 8 + 80},
      {385, 300, {0x1D, 0x76, 0x30, 0x00, 0x31, 0x00, 0x2C, 0x01}, 8 + 49 * 300},
      {0, 0, {0x1D, 0x76, 0x30, 0x00, 0x00, 0x00, 0x00, 0x00}, 8},
  };
  for (const Case& c : cases) {
    const Bytes command = RasterImageCommand(AllBlack(c.width, c.height));
    EXPECT_EQ(command.size(), c.size) << c.width << "x" << c.height;
    EXPECT_EQ(Head(command, 8), c.header) << c.width << "x" << c.height;
  }
  // 385 dots: the last byte of every row carries one dot in its top bit
  const Bytes wide = RasterImageCommand(AllBlack(385, 2));
  EXPECT_EQ(wide[8 + 48], 0x80);
  EXPECT_EQ(wide[8 + 49 + 48], 0x80);
}

TEST(RasterPrint, RefusalsInTheirOrderAndTheWidthRule) {
  struct Case {
    int position;
    bool hasPath;
    std::optional<Msg> refusal;
  };
  const Case cases[] = {
      {-1, false, Msg::RasterSelectWidth}, {-1, true, Msg::RasterSelectWidth}, {0, false, Msg::BitmapPleaseOpen},
      {4, true, Msg::RasterWidthWrong},    {4, false, Msg::BitmapPleaseOpen},  {3, true, std::nullopt},
  };
  for (const Case& c : cases) EXPECT_EQ(RasterRefusalBeforeDecode(c.position, c.hasPath), c.refusal) << c.position;
  struct Width {
    int position;
    std::uint32_t width;
    bool enough;
  };
  for (const Width& w : {Width{0, 383, false}, Width{0, 384, true}, Width{0, 640, true}, Width{1, 511, false},
                         Width{2, 576, true}, Width{3, 639, false}, Width{3, 0, false}}) {
    EXPECT_EQ(RasterWideEnough(w.position, w.width), w.enough) << w.position << " " << w.width;
  }
}

TEST(Logo, DownloadHeadersDataAndTail) {
  struct Case {
    std::uint32_t width, height;
    Bytes header;
    size_t dataBytes;
  };
  const Case cases[] = {
      {384, 100, {0x1C, 0x71, 0x01, 0x30, 0x00, 0x0D, 0x00}, 4992},
      {100, 100, {0x1C, 0x71, 0x01, 0x0D, 0x00, 0x0D, 0x00}, 104 * 13},
      {0, 0, {0x1C, 0x71, 0x01, 0x00, 0x00, 0x00, 0x00}, 0},
      {2048, 8, {0x1C, 0x71, 0x01, 0x00, 0x01, 0x01, 0x00}, 2048},
  };
  for (const Case& c : cases) {
    const Bytes command = LogoDownloadCommand(AllBlack(c.width, c.height));
    ASSERT_EQ(command.size(), 7 + c.dataBytes + 3) << c.width << "x" << c.height;
    EXPECT_EQ(Head(command, 7), c.header);
    EXPECT_EQ(Tail(command, 3), (Bytes{0, 0, 0}));
  }
  // 100 x 100: 100 columns of 12 bytes FF and F0, then 4 filler columns of 13 zero bytes
  const Bytes command = LogoDownloadCommand(AllBlack(100, 100));
  Bytes column(12, 0xFF);
  column.push_back(0xF0);
  for (size_t x = 0; x < 100; ++x) EXPECT_EQ(Bytes(command.begin() + 7 + 13 * x, command.begin() + 7 + 13 * (x + 1)), column);
  EXPECT_EQ(Bytes(command.begin() + 7 + 1300, command.end() - 3), Bytes(52, 0x00));
}

TEST(Logo, MultipleDownloadPiecesBlankAndPrint) {
  EXPECT_EQ(MultiLogoHeader(2), (Bytes{0x1C, 0x71, 0x02}));
  const Bytes one = NvImageDefinition(Draw(9, 2, [](auto x, auto y) { return x == 0 && y == 1; }));
  EXPECT_EQ(one, (Bytes{0x02, 0x00, 0x01, 0x00, 0x40, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}));
  EXPECT_EQ(LogoBlankCommand(), (Bytes{0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0}));
  for (int mode = 0; mode < 4; ++mode) {
    EXPECT_EQ(LogoPrintCommand(mode), (Bytes{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1C, 0x70, 0x01,
                                             static_cast<std::uint8_t>(0x30 + mode), 0x1B, 0x40, 0x00}));
  }
  EXPECT_EQ(LogoPrintCommand(2, 5), (Bytes{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1C, 0x70, 0x05, 0x32, 0x1B, 0x40, 0x00}));
  const Bytes feed(PrintFeedTail().begin(), PrintFeedTail().end());
  const Bytes cut(PrintCutTail().begin(), PrintCutTail().end());
  EXPECT_EQ(feed, (Bytes{0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x0A, 0x00}));
  EXPECT_EQ(cut, (Bytes{0x1D, 0x56, 0x01, 0x00, 0x0A, 0x0A, 0x00}));
}

TEST(NvGraphics, DefineHeadersAndRows) {
  struct Case {
    std::uint32_t width, height;
    unsigned kc1, kc2;
    Bytes header;
    size_t dataBytes;
  };
  const Case cases[] = {
      {384, 100, 48, 48,
       {0x1D, 0x38, 0x4C, 0xCB, 0x12, 0x00, 0x00, 0x30, 0x43, 0x30, 0x30, 0x30, 0x01, 0x80, 0x01, 0x64, 0x00, 0x31}, 4800},
      {0, 0, 0x41, 0x142,
       {0x1D, 0x38, 0x4C, 0x0B, 0x00, 0x00, 0x00, 0x30, 0x43, 0x30, 0x41, 0x42, 0x01, 0x00, 0x00, 0x00, 0x00, 0x31}, 0},
      {100, 2, 32, 126,
       {0x1D, 0x38, 0x4C, 0x25, 0x00, 0x00, 0x00, 0x30, 0x43, 0x30, 0x20, 0x7E, 0x01, 0x68, 0x00, 0x02, 0x00, 0x31}, 26},
      {8, 70000, 48, 48,
       {0x1D, 0x38, 0x4C, 0x7B, 0x11, 0x01, 0x00, 0x30, 0x43, 0x30, 0x30, 0x30, 0x01, 0x08, 0x00, 0x70, 0x11, 0x31}, 70000},
  };
  for (const Case& c : cases) {
    const Bytes command = NvDefineCommand(AllBlack(c.width, c.height), c.kc1, c.kc2);
    ASSERT_EQ(command.size(), 18 + c.dataBytes) << c.width << "x" << c.height;
    EXPECT_EQ(Head(command, 18), c.header) << c.width << "x" << c.height;
  }
  // 100 dots wide: 13 bytes a row, the three low bits of the last byte zero
  const Bytes hundred = NvDefineCommand(AllBlack(100, 2), 48, 48);
  EXPECT_EQ(hundred[18 + 12], 0xF0);
  EXPECT_EQ(hundred[18 + 25], 0xF0);
}

TEST(NvGraphics, PrintDeleteAndDeleteAll) {
  const std::uint8_t scales[4][2] = {{1, 1}, {2, 1}, {1, 2}, {2, 2}};
  for (int mode = 0; mode < 4; ++mode) {
    EXPECT_EQ(NvPrintCommand(mode, 48, 48), (Bytes{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54, 0x1D, 0x28, 0x4C, 0x06,
                                                   0x00, 0x30, 0x45, 0x30, 0x30, scales[mode][0], scales[mode][1]}));
  }
  EXPECT_EQ(NvDeleteCommand(20, 0x131), (Bytes{0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, 0x14, 0x31}));
  EXPECT_EQ(NvDeleteAllCommand(), (Bytes{0x1D, 0x28, 0x4C, 0x05, 0x00, 0x30, 0x41, 0x43, 0x4C, 0x52}));
  struct Key {
    unsigned kc1;
    bool accepted;
  };
  for (const Key& k : {Key{31, false}, Key{32, true}, Key{126, true}, Key{127, false}, Key{0x130, false}}) {
    EXPECT_EQ(IsNvKeyCode(k.kc1), k.accepted) << k.kc1;
  }
}

}  // namespace
