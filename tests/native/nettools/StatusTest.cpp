// Status word composition, the 0-word rule and the lamps of the examples.
#include <gtest/gtest.h>

#include <string>

#include "prtbench/nettools/Status.h"

namespace {

using namespace prtbench;

// One letter per lamp, top to bottom: R red, G green, B black.
std::string Letters(const Lamps& lamps) {
  std::string text;
  for (LampColour colour : lamps) text += colour == LampColour::Red ? 'R' : colour == LampColour::Green ? 'G' : 'B';
  return text;
}

TEST(Status, RequestIsEscVZero) { EXPECT_EQ(StatusRequest(), (Bytes{0x1B, 0x76, 0x00})); }

TEST(Status, WordFromTheFirstFourBytesMissingOnesZero) {
  const struct {
    Bytes reply;
    std::uint32_t word;
  } cases[] = {
      {{0x08}, 0x08000000u},
      {{0x10, 0x00, 0x00, 0x00}, 0x10000000u},
      {{0x14, 0x40, 0x0C, 0x7F}, 0x14400C7Fu},
      {{0x12, 0x34}, 0x12340000u},
      {{0x12, 0x34, 0x56}, 0x12345600u},
      {{0xFF, 0xFF, 0xFF, 0xFF, 0xAA, 0xBB}, 0xFFFFFFFFu},
      {{}, 0u},
  };
  for (const auto& c : cases) EXPECT_EQ(ComposeStatusWord(c.reply), c.word) << std::hex << c.word;
}

TEST(Status, AZeroWordIsNeverStored) {
  EXPECT_EQ(NextStoredWord(0x14000000u, 0), 0x14000000u);
  EXPECT_EQ(NextStoredWord(0x14000000u, 0x10000000u), 0x10000000u);
  EXPECT_EQ(NextStoredWord(0, 0), 0u);
}

TEST(Status, LampsAfterAReply) {
  const struct {
    std::uint32_t word;
    const char* lamps;  // lamps 0..9
  } cases[] = {
      {0x08000000u, "GGGGRGGGGR"},  // offline; the drawer bit is clear
      {0x10000000u, "GGGGRGGGGG"}, {0x14000000u, "GGGGGGGGGG"},
      {0x14000400u, "GGGGGGGGRG"},  // no paper: R2 = 04, 08 or 0C
      {0x14000800u, "GGGGGGGGRG"}, {0x14000C00u, "GGGGGGGGRG"},
      {0x14400000u, "RGGGGGGGGG"},  // recoverable error
      {0x14200000u, "GRGGGGGGGG"},  // fatal error
      {0x54000000u, "GGGGGRGGGG"},  // feed
      {0x34000000u, "GGGGGGGRGG"},  // cover
      {0xFFFFFFFFu, "RRGGGRGRRR"},  // busy, paper near end and cut never turn red
      {0u, "GGGGRGGGGG"},
  };
  for (const auto& c : cases) EXPECT_EQ(Letters(PolledLamps(c.word)), c.lamps) << std::hex << c.word;
}

TEST(Status, StoredStatusLeavesLampsWithoutTheirBitAlone) {
  Lamps lamps = AllLamps(LampColour::Black);
  ApplyStoredStatus(lamps, 0x0C000400u);
  EXPECT_EQ(Letters(lamps), "BBBBGBBBRR");
}

}  // namespace

TEST(Status, ConditionsOfAWord) {
  struct Case {
    std::uint32_t word;
    StatusConditions conditions;  // paper out, cover open, drawer open, offline
  };
  const Case cases[] = {
      {0x14000000u, {false, false, false, false}}, {0x10000000u, {false, false, true, false}},
      {0x1C000C00u, {true, false, false, true}},   {0x1C000400u, {true, false, false, true}},
      {0x3C000000u, {false, true, false, true}},   {0x00000000u, {false, false, true, false}},
  };
  for (const Case& c : cases) EXPECT_EQ(DecodeStatusWord(c.word), c.conditions) << std::hex << c.word;
}
