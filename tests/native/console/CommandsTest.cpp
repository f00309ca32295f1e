#include "prtbench/console/Commands.h"

#include <gtest/gtest.h>

#include "prtbench/console/PortChoices.h"

using console::Bytes;

TEST(FixedCommands, CutPaper) { EXPECT_EQ(console::CutPaperCommand(), (Bytes{0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00})); }

TEST(FixedCommands, CashDrawer) { EXPECT_EQ(console::CashDrawerCommand(), (Bytes{0x1B, 0x70, 0x00, 0x1E, 0xFF, 0x00})); }

TEST(FixedCommands, SelfTest) { EXPECT_EQ(console::SelfTestCommand(), (Bytes{0x1F, 0x1B, 0x1F, 0x67})); }

TEST(BaudRateForIndex, FollowsTheListAndGives128000BeyondIt) {
  const int expected[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 128000};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(console::BaudRateForIndex(i), expected[i]) << i;
  EXPECT_EQ(console::BaudRateForIndex(9), 128000);
  EXPECT_EQ(console::BaudRateForIndex(1000), 128000);
  for (size_t i = 0; i < console::kBaudRateTexts.size(); ++i) {
    EXPECT_EQ(std::to_string(console::BaudRateForIndex(static_cast<int>(i))), console::kBaudRateTexts[i]);
  }
}

TEST(FlowControl, RtsEntriesTurnOnCtsAndXonEntriesXonXoff) {
  EXPECT_FALSE(console::CtsFlowForIndex(0));
  EXPECT_FALSE(console::CtsFlowForIndex(1));
  EXPECT_TRUE(console::CtsFlowForIndex(2));
  EXPECT_TRUE(console::CtsFlowForIndex(3));
  EXPECT_FALSE(console::XonXoffForIndex(0));
  EXPECT_TRUE(console::XonXoffForIndex(1));
  EXPECT_FALSE(console::XonXoffForIndex(2));
  EXPECT_TRUE(console::XonXoffForIndex(3));
  EXPECT_EQ(console::kFlowControlTexts[console::kFlowControlRts], "RTS");
}

TEST(StepRepetitions, UpArrowAddsDownArrowSubtractsNeverBelowOne) {
  EXPECT_EQ(console::StepRepetitions(1, -1), 2);
  EXPECT_EQ(console::StepRepetitions(3, 1), 2);
  EXPECT_EQ(console::StepRepetitions(1, 1), 1);
  EXPECT_EQ(console::StepRepetitions(-4, 1), 1);
  EXPECT_EQ(console::StepRepetitions(5, 0), 5);
  EXPECT_EQ(console::StepRepetitions(2147483647, -1), 2147483647);
}

TEST(ComName, NamesEveryListEntry) {
  EXPECT_EQ(console::ComName(1), "COM1");
  EXPECT_EQ(console::ComName(255), "COM255");
}
