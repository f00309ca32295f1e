// The advanced settings' frames: density, code page, interface, baud rate,
// print width, the code page table and sample, and the template's extra commands.
#include <gtest/gtest.h>

#include "HexBytes.h"
#include "prtbench/config/Advanced.h"
#include "prtbench/config/CodePages.h"

namespace {

using namespace prtbench;
using configtest::HexBytes;

struct FrameCase {
  const char* what;
  Bytes frame;
  const char* expected;
};

TEST(AdvancedFrames, EachButtonSendsItsFrame) {
  const FrameCase cases[] = {
      {"density 1", DensityCommand(1), "1F 1B 1F 13 14 01 00 00 00 00"},
      {"density 8", DensityCommand(8), "1F 1B 1F 13 14 08 00 00 00 00"},
      {"code page Thai", CodePageCommand(255), "1F 1B 1F FF FF 0A 00"},
      {"code page PC860", CodePageCommand(3), "1F 1B 1F FF 03 0A 00"},
      {"USB", InterfaceCommand(InterfaceMode::Usb), "1F 1B 1F B8 13 14 00 00"},
      {"Emular COM", InterfaceCommand(InterfaceMode::EmulatedCom), "1F 1B 1F B8 13 14 01 00"},
      {"baud 9600", ConfigBaudRateCommand(0), "1F 1B 1F BE 00 0A 00"},
      {"baud 115200", ConfigBaudRateCommand(3), "1F 1B 1F BE 03 0A 00"},
      {"width 72mm", PrintWidthCommand(0), "1F 1B 1F E1 13 14 00 00 00 00 00"},
      {"width 80mm", PrintWidthCommand(2), "1F 1B 1F E1 13 14 02 00 00 00 00"},
      {"width 48mm", PrintWidthCommand(3), "1F 1B 1F E1 13 14 03 00 00 00 00"},
      {"H line", PrintHLineCommand(), "02 03 80 00"},
      {"beeper on", BeeperCommand(true), "1F 1B 1F 42 65 65 70 08 0A 00"},
      {"beeper off", BeeperCommand(false), "1F 1B 1F 42 65 65 70 06 0A 00"},
  };
  for (const auto& c : cases) EXPECT_EQ(c.frame, HexBytes(c.expected)) << c.what;
}

TEST(AdvancedFrames, ListsShowWhatTheFramesIndex) {
  EXPECT_EQ(kDensityTexts[kInitialDensityIndex], "5");
  EXPECT_EQ(kConfigBaudTexts[3], "115200");
  EXPECT_EQ(kConfigBaudTexts[kInitialConfigBaudIndex], "19200");
  EXPECT_EQ(kPrintWidthTexts[2], "80mm");
  EXPECT_EQ(kPrintWidthTexts[3], "48mm");
  EXPECT_EQ(kPrintWidthTexts[kInitialPrintWidthIndex], "72mm");
  EXPECT_EQ(kBarcodeTypeTexts[kInitialBarcodeTypeIndex], "EAN(JAN)13");
}

TEST(AdvancedFrames, SensitivitySendsTheHighLevelOnlyWhenAsked) {
  EXPECT_EQ(SensitivityCommands(1, std::nullopt), (std::vector<Bytes>{HexBytes("1F 1B 1F 83 04 05 06 30 01")}));
  EXPECT_EQ(SensitivityCommands(24, 7),
            (std::vector<Bytes>{HexBytes("1F 1B 1F 83 04 05 06 30 18"), HexBytes("1F 1B 1F 83 04 05 06 31 07")}));
}

TEST(CodePageSample, FourBlocksFontBSampleFontASample) {
  const std::vector<Bytes> blocks = CodePageSample();
  ASSERT_EQ(blocks.size(), 4u);
  EXPECT_EQ(blocks[0], HexBytes("1B 4D 01"));
  EXPECT_EQ(blocks[2], HexBytes("1B 4D 00"));
  EXPECT_EQ(blocks[3], blocks[1]);
  const Bytes& sample = blocks[1];
  ASSERT_EQ(sample.size(), 152u);
  EXPECT_EQ(Bytes(sample.begin(), sample.begin() + 9), HexBytes("0D 0A 1B 40 1C 2E 1B 21 00"));
  for (int i = 0; i < 128; ++i) EXPECT_EQ(sample[9 + i], 0x80 + i) << i;
  EXPECT_EQ(Bytes(sample.begin() + 137, sample.end()), HexBytes("00 00 00 00 00 0A 1B 40 1D 56 41 48 1C 26 00"));
}

TEST(CodePageTable, SeventyEntriesInListOrder) {
  const auto table = CodePageTable();
  ASSERT_EQ(table.size(), 70u);
  struct Row {
    size_t index;
    int n;
    const char* name;
  };
  const Row rows[] = {{0, 0, "PC437(Europe)"},   {1, 1, "(katakana)"},       {3, 3, "PC860(PT)"},
                      {10, 10, "(Iran)"},        {11, 16, "(WPC1252)"},      {20, 25, "(WPC1257)"},
                      {21, 27, "(Vietnam)"},     {25, 31, "(Hebrew)"},       {27, 33, "WPC1256"},
                      {28, 255, "(Thai)"},       {29, 50, "PC437(Europe)"},  {30, 51, "(Katakana)"},
                      {31, 52, "PC437(Europe)"}, {42, 63, "PC864 - Arabic"}, {53, 74, "PC3840(IBM - Ru)"},
                      {58, 79, "3846(TR)"},      {68, 89, "PC3041(MT)"},     {69, 89, "PC3041(MT)"}};
  for (const Row& row : rows) {
    EXPECT_EQ(table[row.index].n, row.n) << row.index;
    EXPECT_EQ(table[row.index].name, row.name) << row.index;
  }
  EXPECT_EQ(table[kInitialCodePageIndex].name, "PC860(PT)");
}

TEST(CodePageTable, LastTwoEntriesSendTheSameFrame) {
  const auto table = CodePageTable();
  EXPECT_EQ(CodePageCommand(table[69].n), CodePageCommand(table[68].n));
  EXPECT_EQ(CodePageCommand(table[28].n), (Bytes{0x1F, 0x1B, 0x1F, 0xFF, 0xFF, 0x0A, 0x00}));
}

}  // namespace
