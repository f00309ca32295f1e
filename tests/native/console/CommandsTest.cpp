#include "prtbench/console/Commands.h"

#include <gtest/gtest.h>

#include "prtbench/console/PortChoices.h"

using prtbench::Bytes;

TEST(FixedCommands, CutPaper) { EXPECT_EQ(prtbench::CutPaperCommand(), (Bytes{0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00})); }

TEST(FixedCommands, CashDrawer) { EXPECT_EQ(prtbench::CashDrawerCommand(), (Bytes{0x1B, 0x70, 0x00, 0x1E, 0xFF, 0x00})); }

TEST(FixedCommands, SelfTest) { EXPECT_EQ(prtbench::SelfTestCommand(), (Bytes{0x1F, 0x1B, 0x1F, 0x67})); }

TEST(BaudRateForIndex, FollowsTheListAndGives128000BeyondIt) {
  const int expected[] = {1200, 2400, 4800, 9600, 19200, 38400, 57600, 115200, 128000};
  for (int i = 0; i < 9; ++i) EXPECT_EQ(prtbench::BaudRateForIndex(i), expected[i]) << i;
  EXPECT_EQ(prtbench::BaudRateForIndex(9), 128000);
  EXPECT_EQ(prtbench::BaudRateForIndex(1000), 128000);
  for (size_t i = 0; i < prtbench::kBaudRateTexts.size(); ++i) {
    EXPECT_EQ(std::to_string(prtbench::BaudRateForIndex(static_cast<int>(i))), prtbench::kBaudRateTexts[i]);
  }
}

TEST(FlowControl, RtsEntriesTurnOnCtsAndXonEntriesXonXoff) {
  EXPECT_FALSE(prtbench::CtsFlowForIndex(0));
  EXPECT_FALSE(prtbench::CtsFlowForIndex(1));
  EXPECT_TRUE(prtbench::CtsFlowForIndex(2));
  EXPECT_TRUE(prtbench::CtsFlowForIndex(3));
  EXPECT_FALSE(prtbench::XonXoffForIndex(0));
  EXPECT_TRUE(prtbench::XonXoffForIndex(1));
  EXPECT_FALSE(prtbench::XonXoffForIndex(2));
  EXPECT_TRUE(prtbench::XonXoffForIndex(3));
  EXPECT_EQ(prtbench::kFlowControlTexts[prtbench::kFlowControlRts], "RTS");
}

TEST(StepRepetitions, UpArrowAddsDownArrowSubtractsNeverBelowOne) {
  EXPECT_EQ(prtbench::StepRepetitions(1, -1), 2);
  EXPECT_EQ(prtbench::StepRepetitions(3, 1), 2);
  EXPECT_EQ(prtbench::StepRepetitions(1, 1), 1);
  EXPECT_EQ(prtbench::StepRepetitions(-4, 1), 1);
  EXPECT_EQ(prtbench::StepRepetitions(5, 0), 5);
  EXPECT_EQ(prtbench::StepRepetitions(2147483647, -1), 2147483647);
}

TEST(ComName, NamesEveryListEntry) {
  EXPECT_EQ(prtbench::ComName(1), "COM1");
  EXPECT_EQ(prtbench::ComName(255), "COM255");
}
