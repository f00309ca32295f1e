// The launch gate (exactly one argument, exactly the token) and serial device names.
#include <gtest/gtest.h>

#include "fwflash/Texts.h"
#include "fwflash/Transport.h"

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

TEST(ComDeviceName, PlainUpToNineAndDeviceNamespaceFromTen) {
  EXPECT_EQ(fwflash::ComDeviceName(1), "COM1");
  EXPECT_EQ(fwflash::ComDeviceName(9), "COM9");
  EXPECT_EQ(fwflash::ComDeviceName(10), "\\\\.\\COM10");
  EXPECT_EQ(fwflash::ComDeviceName(20), "\\\\.\\COM20");
}
