// The launch gate (exactly one argument, exactly the token) and serial device names.
#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <utility>

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

TEST(ComPortNumber, ReadsBothFormsOfTheNameAndNothingElse) {
  const std::pair<std::string_view, std::optional<int>> cases[] = {
      {"COM1", 1}, {"com3", 3}, {"Com12", 12}, {"\\\\.\\COM12", 12}, {"COM255", 255},
      {"COM0", std::nullopt}, {"COM01", std::nullopt}, {"COM-1", std::nullopt}, {"COM256", std::nullopt},
      {"COM", std::nullopt}, {"COM3x", std::nullopt}, {"LPT1", std::nullopt}, {"/dev/ttyS0", std::nullopt},
  };
  for (const auto& [name, number] : cases) EXPECT_EQ(fwflash::ComPortNumber(name), number) << name;
}
