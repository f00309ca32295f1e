// Black mark frames, the offsets in both modes, H, the field checks and the
// GBK test receipts.
#include <gtest/gtest.h>

#include <climits>

#include "HexBytes.h"
#include "prtbench/config/BlackMark.h"

namespace {

using namespace prtbench;
using configtest::HexBytes;

constexpr int kRx8 = 2, kPos76 = 1, kPos58 = 0;

BlackMarkValues Values(int cut, int print, int direction = 0, int maxLength = 300) {
  BlackMarkValues values;
  values.cutOffset = cut;
  values.printOffset = print;
  values.direction = direction;
  values.maxLength = maxLength;
  return values;
}

TEST(BlackMarkFrames, LengthsDetectionAndPositions) {
  const struct {
    const char* what;
    Bytes frame;
    const char* expected;
  } cases[] = {
      {"max 300", MaxLengthCommand(300), "1F 1B 1F 81 04 05 06 60 09 00"},
      {"max 500", MaxLengthCommand(500), "1F 1B 1F 81 04 05 06 A0 0F 00"},
      {"max beyond 16 bits", MaxLengthCommand(INT_MAX), "1F 1B 1F 81 04 05 06 F8 FF 00"},
      {"width 10", WidthLimitCommand(10), "1F 1B 1F 82 04 05 06 50 00 00"},
      {"on", BlackMarkOnCommand(), "1F 1B 1F 80 04 05 06 44"},
      {"off", BlackMarkOffCommand(), "1F 1B 1F 80 04 05 06 66 00"},
      {"cut 160 reverse", CutPositionCommand(1, 160), "1D 28 46 04 00 02 01 A0 00 00"},
      {"print 320, H 240", PrintPositionCommand(0, 320, 240), "1D 28 46 04 00 01 00 40 01 00"},
      {"print 320, H 800", PrintPositionCommand(0, 320, 800), "1D 28 46 04 00 01 00 40 04 00"},
      {"high byte wraps", PrintPositionCommand(0, 0xFF00, 0x0200), "1D 28 46 04 00 01 00 00 01 00"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.frame, HexBytes(c.expected)) << c.what;
  EXPECT_EQ(WidthLimitH(10), 80);
  EXPECT_EQ(WidthLimitH(30), 240);
}

TEST(BlackMarkOffsets, StandardAndAlternativeModes) {
  const struct {
    const char* what;
    BlackMarkMode mode;
    int printerType;
    BlackMarkValues values;
    std::uint16_t cut;
    std::uint16_t print;
  } cases[] = {
      {"RX-8", BlackMarkMode::Standard, kRx8, Values(20, 40), 160, 320},
      {"POS-58", BlackMarkMode::Standard, kPos58, Values(100, 5), 800, 40},
      {"POS-76 sends no offset", BlackMarkMode::Standard, kPos76, Values(20, 40), 0, 0},
      {"alternative 20 mm", BlackMarkMode::Alternative, kPos76, Values(20, 40), 142, 340},  // 25 / .176, 60 / .176
      {"alternative 45 mm", BlackMarkMode::Alternative, kRx8, Values(45, 0), 0, 113},
      {"alternative past 45", BlackMarkMode::Alternative, kRx8, Values(100, 20), 1392, 227},  // 245 / .176
      {"alternative past the ticket", BlackMarkMode::Alternative, kRx8, Values(400, -20, 0, 300), 0xFEC8, 0},  // -312
      {"negative print offset", BlackMarkMode::Standard, kRx8, Values(0, -5), 0, 0xFFD8},                      // -40
      // any number typed keeps its low 16 bits, never overflows
      {"largest offsets", BlackMarkMode::Standard, kRx8, Values(INT_MAX, INT_MIN), 0xFFF8, 0},
      {"largest, alternative", BlackMarkMode::Alternative, kRx8, Values(INT_MIN, INT_MAX), 0xD274, 0xD1E0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CutOffsetUnits(c.mode, c.printerType, c.values), c.cut) << c.what;
    EXPECT_EQ(PrintOffsetUnits(c.mode, c.printerType, c.values), c.print) << c.what;
  }
}

TEST(BlackMarkH, StartsAtZeroAndKeepsSixteenBits) {
  BlackMarkH h;
  EXPECT_EQ(h.Get(), 0);
  h.Set(0x12345);
  EXPECT_EQ(h.Get(), 0x2345);
}

TEST(BlackMarkFields, TextsThatAreNoNumberOrOutOfRangeAreReportedAndGoOn) {
  const struct {
    const char* what;
    std::optional<int> parsed;
    std::optional<FieldRange> range;
    Language language;
    int value;
    const char* complaint;  // nullptr: none
  } cases[] = {
      {"in range", 300, kMaxLengthRange, Language::English, 300, nullptr},
      {"edges", 50, kMaxLengthRange, Language::English, 50, nullptr},
      {"no number keeps the old value", std::nullopt, kMaxLengthRange, Language::English, 77,
       "Please enter an integer."},
      {"no number, Chinese", std::nullopt, kWidthLimitRange, Language::Chinese, 77, "请输入一个整数。"},
      {"too long goes on", 501, kMaxLengthRange, Language::English, 501, "Please enter an integer between 50 and 500."},
      {"too narrow, Chinese", 2, kWidthLimitRange, Language::Chinese, 2, "请输入一个 3 至 30 之间的整数。"},
      {"cut below 0", -1, kCutOffsetRange, Language::English, -1, "Please enter an integer between 0 and 1000."},
      {"print offset is not limited", -5000, std::nullopt, Language::English, -5000, nullptr},
  };
  for (const auto& c : cases) {
    const FieldReading reading = ReadField(c.parsed, 77, c.range, c.language);
    EXPECT_EQ(reading.value, c.value) << c.what;
    EXPECT_EQ(reading.complaint.has_value(), c.complaint != nullptr) << c.what;
    if (c.complaint && reading.complaint) {
      EXPECT_EQ(*reading.complaint, c.complaint) << c.what;
    }
  }
}

// `hex` followed by zeros up to `block` bytes.
Bytes Block(const char* hex, size_t block) {
  Bytes bytes = HexBytes(hex);
  bytes.resize(block, 0x00);
  return bytes;
}

constexpr char kPrintFrom20[] =
    "20 20 20 20 B4 D3 B4 CB B4 A6 CE BB D6 C3 BF AA CA BC B4 F2 D3 A1 2C BE E0 C7 D0 CB BA D6 BD B4 A6 20 32 30 20 6D "
    "6D 0A";
constexpr char kCutFeed20[] =
    "20 20 20 20 C7 D0 D6 BD CE BB D6 C3 3A 20 BE E0 BA DA B1 EA 28 BD F8 D6 BD B7 BD CF F2 29 B4 A6 20 32 30 20 6D 6D "
    "0A";
constexpr char kCutReverse20[] =
    "20 20 20 20 C7 D0 D6 BD CE BB D6 C3 3A 20 BE E0 BA DA B1 EA 28 CD CB D6 BD B7 BD CF F2 29 B4 A6 20 32 30 20 6D 6D "
    "0A";

TEST(BlackMarkReceipts, TicketTestInGbkFiftyByteBlocks) {
  EXPECT_EQ(TicketTest(Values(20, 20)), (std::vector<Bytes>{HexBytes("1D 0C"), Block(kPrintFrom20, 50),
                                                            Block(kCutFeed20, 50), HexBytes("1D 56 30")}));
  EXPECT_EQ(TicketTest(Values(20, 20, 1))[2], Block(kCutReverse20, 50));
}

TEST(BlackMarkReceipts, PrintStartTestInGbk) {
  EXPECT_EQ(PrintStartTest(Values(5, 20)),
            (std::vector<Bytes>{
                HexBytes("1D 0C"),
                Block("20 20 20 20 20 20 20 20 20 20 CF C2 D2 BB B8 F6 B4 F2 D3 A1 D4 DA B4 CB B4 A6 A3 A1 0A", 42),
                Block("20 20 20 20 20 20 20 20 20 20 20 BE E0 C7 D0 CB BA D6 BD B4 A6 20 32 30 20 6D 6D 0A", 40)}));
}

TEST(BlackMarkReceipts, CutTestInGbkWithTheDirection) {
  const Bytes heading = Block(
      "20 20 20 20 20 20 D7 DF D6 BD B5 BD CF C2 D2 BB B8 F6 C7 D0 D6 BD CE BB D6 C3 B4 A6 C7 D0 D6 BD B2 E2 CA D4 0A",
      40);
  EXPECT_EQ(
      CutTest(Values(20, 5)),
      (std::vector<Bytes>{heading,
                          Block("20 20 20 20 20 20 20 20 20 20 20 BE E0 BA DA B1 EA 28 BD F8 D6 BD B7 BD CF F2 29 "
                                "B4 A6 20 32 30 20 6D 6D 0A",
                                40),
                          HexBytes("0A 1D 56 01")}));
  EXPECT_EQ(
      CutTest(Values(100, 5, 1))[1],
      Block("20 20 20 20 20 20 20 20 20 20 20 BE E0 BA DA B1 EA 28 CD CB D6 BD B7 BD CF F2 29 B4 A6 20 31 30 30 20 "
            "6D 6D 0A",
            40));
}

TEST(BlackMarkReceipts, ALineLongerThanItsBlockIsSentWhole) {
  // 34 bytes of text around the number: eight digits and a sign overflow 40
  const Bytes line = CutTest(Values(-12345678, 0))[1];
  EXPECT_EQ(line.size(), 43u);
  EXPECT_EQ(std::string(line.end() - 13, line.end()), "-12345678 mm\n");
}

}  // namespace
