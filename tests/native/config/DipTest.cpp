// DIP switch bytes: composition per dialog, the P80 speed bits, the P76E
// characters-per-line mapping, signed storage and the frame.
#include <gtest/gtest.h>

#include "HexBytes.h"
#include "prtbench/config/Dip.h"

namespace {

using namespace prtbench;
using configtest::HexBytes;

struct SwitchCase {
  const char* what;
  std::uint8_t b;
  int stored;
  const char* frame;
};

TEST(DipSwitches, ChoicesGiveTheByteItsStoredValueAndFrame) {
  const SwitchCase cases[] = {
      // P80, everything at index 0, 19200
      {"P80 zero",
       static_cast<std::uint8_t>(SwitchBits(kP80SwitchBits, std::vector{0, 0, 0, 0, 0, 0}) | P80SpeedBits(1)), 0,
       "1F 1B 1F BF 00 00"},
      // P80, Guilhotina "Não", Beep "SIM", 38400
      {"P80 C3", static_cast<std::uint8_t>(SwitchBits(kP80SwitchBits, std::vector{1, 1, 0, 0, 0, 0}) | P80SpeedBits(2)),
       -61, "1F 1B 1F BF C3 00"},
      // P58, cutter ON, Full, Dark, beeper Yes, drawer Yes
      {"P58 E5", SwitchBits(kP58SwitchBits, std::vector{1, 1, 1, 1, 1}), -27, "1F 1B 1F BF E5 00"},
      // P76E, every switch on, 58 mm, 30/25CPL
      {"P76E all",
       static_cast<std::uint8_t>(SwitchBits(kP76ESwitchBits, std::vector{1, 1, 1, 1, 1, 1}) | P76ECplBits(2, true)), -33,
       "1F 1B 1F BF DF 00"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StoredSwitchValue(c.b), c.stored) << c.what;
    EXPECT_EQ(DipSwitchCommand(c.b), HexBytes(c.frame)) << c.what;
  }
}

TEST(DipSwitches, SpeedBitsFollowTheList) {
  const std::uint8_t expected[] = {0x40, 0x00, 0xC0, 0x80};
  for (int i = 0; i < 4; ++i) EXPECT_EQ(P80SpeedBits(i), expected[i]) << i;
  EXPECT_EQ(P80SpeedBits(-1), 0);
}

TEST(DipSwitches, StoredByteRestoresTheSwitches) {
  EXPECT_EQ(SwitchIndices(kP80SwitchBits, 0x10), (std::vector<int>{0, 0, 0, 0, 1, 0}));  // "42/56"
  EXPECT_EQ(SwitchIndices(kP80SwitchBits, SwitchByteOf(-61)), (std::vector<int>{1, 1, 0, 0, 0, 0}));
  EXPECT_EQ(SwitchIndices(kP58SwitchBits, SwitchByteOf(-27)), (std::vector<int>{1, 1, 1, 1, 1}));
  // bits no switch of the dialog owns are not shown
  EXPECT_EQ(SwitchIndices(kP58SwitchBits, 0x1A), (std::vector<int>{0, 0, 0, 0, 0}));
  EXPECT_EQ(SwitchIndices(kP76ESwitchBits, 0xA0), (std::vector<int>{0, 0, 0, 0, 0, 0}));
}

TEST(DipSwitches, EveryByteSurvivesItsStoredValue) {
  for (int b = 0; b < 256; ++b) {
    const int stored = StoredSwitchValue(static_cast<std::uint8_t>(b));
    EXPECT_GE(stored, -128);
    EXPECT_LE(stored, 127);
    EXPECT_EQ(SwitchByteOf(stored), b);
  }
  EXPECT_EQ(StoredSwitchValue(0xC0), -64);
}

TEST(DipSwitches, P76ECharactersPerLineFromPaperAndBit) {
  struct Case {
    std::uint8_t b;
    int cpl;  // 0 "40/33CPL", 1 "42/35CPL", 2 "30/25CPL", 3 "33/27CPL"
  };
  const Case cases[] = {{0xC0, 2}, {0x40, 3}, {0x80, 0}, {0x00, 1}};
  for (const auto& c : cases) EXPECT_EQ(P76ECplIndex(c.b), c.cpl) << int(c.b);
}

TEST(DipSwitches, P76ECplBitMatchingThePaperReopensAsChosenOtherwiseAsAlwaysSent) {
  const struct {
    bool paper58;
    int cpl;
    std::uint8_t bit;
    int reopens;
  } cases[] = {
      {false, 0, 0x80, 0}, {false, 1, 0x00, 1}, {true, 2, 0x80, 2}, {true, 3, 0x00, 3},
      // a count for the other paper width keeps the bit the printers were always sent
      {true, 0, 0x00, 3},  {true, 1, 0x80, 2},  {false, 2, 0x00, 1}, {false, 3, 0x80, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(P76ECplBits(c.cpl, c.paper58), c.bit) << c.paper58 << c.cpl;
    const auto b = static_cast<std::uint8_t>((c.paper58 ? kP76EPaper58Bit : 0) | c.bit);
    EXPECT_EQ(P76ECplIndex(b), c.reopens) << c.paper58 << c.cpl;
  }
}

}  // namespace
