#include "prtbench/console/Hex.h"

#include <gtest/gtest.h>

using prtbench::Bytes;
using prtbench::FormatHexDump;
using prtbench::ParseHexText;

TEST(ParseHexText, ReadsBlankSeparatedPairs) { EXPECT_EQ(ParseHexText("1B 40"), (Bytes{0x1B, 0x40})); }

TEST(ParseHexText, ReadsRunTogetherPairsAndLowerCase) {
  EXPECT_EQ(ParseHexText("1b40 0a"), (Bytes{0x1B, 0x40, 0x0A}));
}

TEST(ParseHexText, SingleDigitBeforeSeparatorIsOneByte) { EXPECT_EQ(ParseHexText("A 1B"), (Bytes{0x0A, 0x1B})); }

TEST(ParseHexText, LastLoneDigitIsOneByte) { EXPECT_EQ(ParseHexText("1B4"), (Bytes{0x1B, 0x04})); }

TEST(ParseHexText, NonDigitIsAnError) {
  EXPECT_TRUE(ParseHexText("1G").empty());
  EXPECT_TRUE(ParseHexText("G1").empty());
  EXPECT_TRUE(ParseHexText("1b 4g").empty());
}

TEST(ParseHexText, TabIsNotASeparator) { EXPECT_TRUE(ParseHexText("1B\t40").empty()); }

TEST(ParseHexText, CarriageReturnsAndLineFeedsSeparate) {
  EXPECT_EQ(ParseHexText("\r\n1B\r\n40\n\n0A\r"), (Bytes{0x1B, 0x40, 0x0A}));
}

TEST(ParseHexText, OnlySeparatorsOrNothingIsAnError) {
  EXPECT_TRUE(ParseHexText("").empty());
  EXPECT_TRUE(ParseHexText(" \r\n ").empty());
}

TEST(ParseHexText, StopsAtTheFirstZeroByte) {
  using namespace std::string_view_literals;
  EXPECT_EQ(ParseHexText("41\0 zz"sv), (Bytes{0x41}));
}

TEST(ParseHexText, TwoDigitsAreTakenWhateverFollows) {
  // three digits in a row: a pair, then a lone digit
  EXPECT_EQ(ParseHexText("123 4"), (Bytes{0x12, 0x03, 0x04}));
  EXPECT_EQ(ParseHexText("ff FF"), (Bytes{0xFF, 0xFF}));
}

TEST(FormatHexDump, UpperCaseBlankSeparatedWithoutLeadingBlank) {
  EXPECT_EQ(FormatHexDump("\x1b@\xff"), "1B 40 FF");
}

TEST(FormatHexDump, BreaksTheLineAfterCrLf) { EXPECT_EQ(FormatHexDump("AB\r\n"), "41 42 0D 0A\r\n"); }

TEST(FormatHexDump, BreaksAfterLoneLineFeedAndAfterTheByteThatFollowsCr) {
  EXPECT_EQ(FormatHexDump("A\nB\rCD"), "41 0A\r\n 42 0D 43\r\n 44");
}

TEST(FormatHexDump, FirstByteOnlyChecksForLineFeed) { EXPECT_EQ(FormatHexDump("\n"), "0A\r\n"); }

TEST(FormatHexDump, StopsAtTheFirstZeroAndGivesNothingForNothing) {
  using namespace std::string_view_literals;
  EXPECT_EQ(FormatHexDump("A\0B"sv), "41");
  EXPECT_EQ(FormatHexDump(""), "");
}

TEST(HexRoundTrip, DumpParsesBackToTheSameBytes) {
  std::string all;
  for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
  const Bytes parsed = ParseHexText(FormatHexDump(all));
  EXPECT_EQ(std::string(parsed.begin(), parsed.end()), all);
}
