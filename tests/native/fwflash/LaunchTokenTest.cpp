// The launch gate: exactly one argument, exactly the token.
#include <gtest/gtest.h>

#include "fwflash/Texts.h"

namespace {

TEST(LaunchToken, OnlyTheExactTokenAloneOpensTheProgram) {
  EXPECT_TRUE(fwflash::IsLaunchCommandLine({"MerrowByQuint"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"merrowbyquint"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"MERROWBYQUINT"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"MerrowByQuint", "MerrowByQuint"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"MerrowByQuint", "x"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"MerrowByQuin"}));
  EXPECT_FALSE(fwflash::IsLaunchCommandLine({"MerrowByQuint "}));
  EXPECT_EQ(fwflash::kLaunchToken.size(), 13u);
}

}  // namespace
