// prtbench.exe starts under Wine, shows its main window and ends when it closes.
#include <gtest/gtest.h>

#include "support/Prtbench.h"

TEST(PrtbenchStart, ShowsTheMainWindowAndEndsWhenItCloses) {
  e2e::Prtbench bench("");
  ASSERT_TRUE(bench.Start());
  EXPECT_EQ(bench.Close(), 0u);
}
