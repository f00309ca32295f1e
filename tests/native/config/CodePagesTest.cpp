// The code page list: 70 entries in the printer's order, duplicates kept.
#include "prtbench/config/CodePages.h"

#include <gtest/gtest.h>

#include "prtbench/config/Advanced.h"

namespace {

using namespace prtbench;

TEST(CodePageTable, SeventyEntriesInListOrder) {
  const auto table = CodePageTable();
  ASSERT_EQ(table.size(), 70u);
  struct Row {
    size_t index;
    int n;
    const char* name;
  };
  const Row rows[] = {{0, 0, "PC437(Europe)"},  {1, 1, "(katakana)"},     {3, 3, "PC860(PT)"},
                      {10, 10, "(Iran)"},       {11, 16, "(WPC1252)"},    {20, 25, "(WPC1257)"},
                      {21, 27, "(Vietnam)"},    {25, 31, "(Hebrew)"},     {27, 33, "WPC1256"},
                      {28, 255, "(Thai)"},      {29, 50, "PC437(Europe)"}, {30, 51, "(Katakana)"},
                      {31, 52, "PC437(Europe)"}, {42, 63, "PC864 - Arabic"}, {53, 74, "PC3840(IBM - Ru)"},
                      {58, 79, "3846(TR)"},     {68, 89, "PC3041(MT)"},   {69, 89, "PC3041(MT)"}};
  for (const Row& row : rows) {
    EXPECT_EQ(table[row.index].n, row.n) << row.index;
    EXPECT_EQ(table[row.index].name, row.name) << row.index;
  }
  EXPECT_EQ(table[kInitialCodePageIndex].name, "PC860(PT)");
}

TEST(CodePageTable, NumbersRiseFromFiftyOnAfterThai) {
  // entries 29..68 carry 50..89, one apart
  const auto table = CodePageTable();
  for (size_t i = 29; i <= 68; ++i) EXPECT_EQ(table[i].n, static_cast<int>(21 + i)) << i;
}

TEST(CodePageTable, LastTwoEntriesSendTheSameFrame) {
  const auto table = CodePageTable();
  EXPECT_EQ(CodePageCommand(table[69].n), CodePageCommand(table[68].n));
  EXPECT_EQ(CodePageCommand(table[28].n), (Bytes{0x1F, 0x1B, 0x1F, 0xFF, 0xFF, 0x0A, 0x00}));
}

}  // namespace
