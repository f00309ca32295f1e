#include "prtbench/console/Content.h"
#include "prtbench/console/Encoding.h"

#include <gtest/gtest.h>

using prtbench::Bytes;
using prtbench::ContentError;

namespace {

Bytes B(std::string_view text) { return Bytes(text.begin(), text.end()); }

}  // namespace

TEST(PrintContent, TextGoesOutInCodePage860WithoutZero) {
  const auto content = prtbench::PrintContent("ABC", false);
  EXPECT_EQ(content.error, ContentError::None);
  EXPECT_EQ(content.bytes, (Bytes{0x41, 0x42, 0x43}));
}

TEST(PrintContent, AccentedLettersTakeTheirCodePage860Bytes) {
  EXPECT_EQ(prtbench::PrintContent("é", false).bytes, (Bytes{0x82}));
  EXPECT_EQ(prtbench::PrintContent("ãõÇ", false).bytes, (Bytes{0x84, 0x94, 0x80}));
}

TEST(PrintContent, CharactersCodePage860LacksBecomeQuestionMarks) {
  // no best fit: the Euro sign and a Chinese letter are not replaced by look-alikes
  EXPECT_EQ(prtbench::PrintContent("€打A", false).bytes, (Bytes{'?', '?', 'A'}));
}

TEST(PrintContent, EmptyTextIsRefused) {
  EXPECT_EQ(prtbench::PrintContent("", false).error, ContentError::Empty);
  EXPECT_EQ(prtbench::PrintContent("", true).error, ContentError::Empty);
}

TEST(PrintContent, HexTextGivesItsBytes) {
  const auto content = prtbench::PrintContent("1b 40", true);
  EXPECT_EQ(content.error, ContentError::None);
  EXPECT_EQ(content.bytes, (Bytes{0x1B, 0x40}));
}

TEST(PrintContent, BadHexDigitIsRefusedWithNoBytes) {
  const auto content = prtbench::PrintContent("1b 4g", true);
  EXPECT_EQ(content.error, ContentError::BadHex);
  EXPECT_TRUE(content.bytes.empty());
  EXPECT_EQ(prtbench::PrintContent("  \r\n", true).error, ContentError::BadHex);
}

TEST(AutoSendContent, TextIsSentWithItsTerminatingZero) {
  const auto content = prtbench::AutoSendContent("ABC", false, false, 1);
  EXPECT_EQ(content.error, ContentError::None);
  EXPECT_EQ(content.bytes, (Bytes{0x41, 0x42, 0x43, 0x00}));
}

TEST(AutoSendContent, TextUsesTheAnsiCodePage) {
  // the native build stands in with code page 1252
  EXPECT_EQ(prtbench::AutoSendContent("é", false, false, 1).bytes, (Bytes{0xE9, 0x00}));
}

TEST(AutoSendContent, CutPaperWinsOverAnyContent) {
  const Bytes cut{0x1D, 0x56, 0x01, 0x0A, 0x0A};
  EXPECT_EQ(prtbench::AutoSendContent("ABC", false, true, 1).bytes, cut);
  EXPECT_EQ(prtbench::AutoSendContent("", false, true, 1).bytes, cut);
  EXPECT_EQ(prtbench::AutoSendContent("zz", true, true, 1).bytes, cut);
  EXPECT_EQ(prtbench::AutoSendContent("", false, true, 1).error, ContentError::None);
}

TEST(AutoSendContent, EmptyTextWithoutCutPaperIsRefused) {
  EXPECT_EQ(prtbench::AutoSendContent("", false, false, 1).error, ContentError::Empty);
  EXPECT_EQ(prtbench::AutoSendContent("", true, false, 1).error, ContentError::Empty);
}

TEST(AutoSendContent, HexTextGivesItsBytesWithoutTheZero) {
  EXPECT_EQ(prtbench::AutoSendContent("1b 40", true, false, 1).bytes, (Bytes{0x1B, 0x40}));
  EXPECT_EQ(prtbench::AutoSendContent("1b 4g", true, false, 1).error, ContentError::BadHex);
}

TEST(NumberLine, IsAsciiWithCrLf) {
  EXPECT_EQ(prtbench::NumberLine(1), B("No.1\r\n"));
  EXPECT_EQ(prtbench::NumberLine(12345), B("No.12345\r\n"));
}

TEST(TimeStampBytes, IsUtf16LittleEndianWithZeroHighBytes) {
  const Bytes stamp = prtbench::TimeStampBytes("2016.12.31-13:13:59");
  ASSERT_EQ(stamp.size(), 46u);
  EXPECT_EQ(Bytes(stamp.begin(), stamp.begin() + 6), (Bytes{0x0D, 0x00, 0x0A, 0x00, '2', 0x00}));
  EXPECT_EQ(Bytes(stamp.end() - 6, stamp.end()), (Bytes{'9', 0x00, 0x0D, 0x00, 0x0A, 0x00}));
}

TEST(TimeStampBytes, NonAsciiDateTextKeepsItsUtf16Units) {
  EXPECT_EQ(prtbench::TimeStampBytes("年"), (Bytes{0x0D, 0, 0x0A, 0, 0x74, 0x5E, 0x0D, 0, 0x0A, 0}));
}

// Every combination of the numbering and time stamp switches.
struct SwitchCase {
  bool numbering;
  bool timeStamp;
  std::vector<std::string> expected;
};

class PrintBuffers : public testing::TestWithParam<SwitchCase> {};

TEST_P(PrintBuffers, FollowTheSwitchesInOrder) {
  const SwitchCase& c = GetParam();
  const prtbench::PrintSwitches switches{2, c.numbering, c.timeStamp, "D"};
  std::vector<Bytes> expected;
  for (const auto& text : c.expected) expected.push_back(B(text));
  EXPECT_EQ(prtbench::PrintBuffers(B("xy"), switches), expected);
}

const std::string kStamp("\r\0\n\0D\0\r\0\n\0", 10);

INSTANTIATE_TEST_SUITE_P(
    AllSwitches, PrintBuffers,
    testing::Values(SwitchCase{false, false, {"xy", "xy"}},
                    SwitchCase{true, false, {"No.1\r\n", "xy", "No.2\r\n", "xy"}},
                    SwitchCase{false, true, {"xy", kStamp, "xy", kStamp}},
                    SwitchCase{true, true, {"No.1\r\n", "xy", kStamp, "No.2\r\n", "xy", kStamp}}));

TEST(PrintBuffersCount, ThreeNumberedRepetitionsAreSixSends) {
  const auto buffers = prtbench::PrintBuffers(B("ABC"), {3, true, false, ""});
  ASSERT_EQ(buffers.size(), 6u);
  EXPECT_EQ(buffers[4], B("No.3\r\n"));
  EXPECT_EQ(buffers[5], B("ABC"));
}

TEST(PrintBuffersCount, RepetitionsBelowOneSendNothing) {
  EXPECT_TRUE(prtbench::PrintBuffers(B("ABC"), {0, true, true, "D"}).empty());
  EXPECT_TRUE(prtbench::PrintBuffers(B("ABC"), {-3, false, false, ""}).empty());
}

TEST(RepetitionBuffers, CarryTheRepetitionNumber) {
  const auto buffers = prtbench::RepetitionBuffers(B("A"), {9, true, false, ""}, 7);
  ASSERT_EQ(buffers.size(), 2u);
  EXPECT_EQ(buffers[0], B("No.7\r\n"));
}

TEST(HexView, ShowsTheText936Bytes) {
  EXPECT_EQ(prtbench::HexView("AB\r\n"), "41 42 0D 0A\r\n");
  EXPECT_EQ(prtbench::HexView("打"), "B4 F2");
}

TEST(HexView, TogglingOnAndOffGivesTheSameText) {
  const auto back = prtbench::TextFromHexView(prtbench::HexView("AB\r\n"));
  EXPECT_TRUE(back.ok);
  EXPECT_EQ(back.text, "AB\r\n");
}

TEST(HexView, BadHexCannotGoBackToText) {
  EXPECT_FALSE(prtbench::TextFromHexView("41 4G").ok);
  EXPECT_FALSE(prtbench::TextFromHexView("").ok);
}

TEST(HexView, LeavingGivesBackTheTextThatEnteredOrReadsAnEditedDumpIn936) {
  const prtbench::HexViewEntry entered{"ação", prtbench::HexView("ação")};
  EXPECT_EQ(entered.dump, "61 3F 3F 6F");  // 936 lacks ç and ã
  struct Row {
    std::string hex;
    std::string text;
  };
  const Row rows[] = {
      {"61 3F 3F 6F", "ação"},
      {"61 3F 3F 6F 21", "a??o!"},
      {"D6 D0", "中"},
  };
  for (const Row& row : rows) EXPECT_EQ(prtbench::TextFromHexView(row.hex, entered).text, row.text) << row.hex;
}

TEST(HexView, TextViewEndsAtTheFirstZeroByte) {
  const auto back = prtbench::TextFromHexView("41 00 42");
  EXPECT_TRUE(back.ok);
  EXPECT_EQ(back.text, "A");
}

TEST(PrintBuffersAllSwitches, HexNumberingAndTimeStampInEveryCombination) {
  for (int mask = 0; mask < 8; ++mask) {
    const bool hex = mask & 1, numbering = mask & 2, timeStamp = mask & 4;
    const auto content = prtbench::PrintContent(hex ? "41 0a" : "A\n", hex);
    ASSERT_EQ(content.error, ContentError::None) << mask;
    const auto buffers = prtbench::PrintBuffers(content.bytes, {2, numbering, timeStamp, "T"});
    std::vector<Bytes> expected;
    for (int n = 1; n <= 2; ++n) {
      if (numbering) expected.push_back(prtbench::NumberLine(n));
      expected.push_back(B("A\n"));
      if (timeStamp) expected.push_back(Bytes{0x0D, 0, 0x0A, 0, 'T', 0, 0x0D, 0, 0x0A, 0});
    }
    EXPECT_EQ(buffers, expected) << mask;
  }
}

TEST(TextFiles, AnsiFilesAreReadInTheAnsiCodePageAndWrittenWithoutAZero) {
  struct Row {
    std::string file;
    std::string text;
  };
  const Row rows[] = {
      {"AB\r\nC", "AB\r\nC"},
      {"caf\xE9", "café"},
      {"", ""},
  };
  for (const Row& row : rows) EXPECT_EQ(prtbench::ContentFromFile(row.file).text, row.text) << row.text;
  EXPECT_EQ(prtbench::FileFromContent("café\r\n", prtbench::TextEncoding::Ansi), "caf\xE9\r\n");
  EXPECT_EQ(prtbench::FileFromContent("", prtbench::TextEncoding::Ansi), "");
}
