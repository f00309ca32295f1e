// Windows names, architecture names, the preset and the hint.
#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "drvsetup/Windows.h"

using namespace drvsetup;

TEST(Windows, VersionTableNamesPresetsAndModernFlag) {
  // major, minor, name, preset choice, modern
  const std::vector<std::tuple<unsigned, unsigned, std::string, int, bool>> cases{
      {5, 0, "Windows 2000", 0, false}, {5, 1, "Windows XP", 1, false},    {5, 2, "Windows 2003", 2, false},
      {5, 3, "Unknow", 0, false},       {6, 0, "Windows Vista", 3, false}, {6, 1, "Windows 7", 4, false},
      {6, 2, "Windows 8", 5, true},     {6, 3, "Windows 8.1", 5, true},    {6, 4, "Windows 8.1", 5, true},
      {10, 0, "Windows 10", 0, true},   {10, 1, "Windows 10.1", 0, true},  {4, 0, "Unknow", 0, false},
      {11, 0, "Unknow", 0, false},
  };
  for (const auto& [major, minor, name, preset, modern] : cases) {
    EXPECT_EQ(WindowsName(major, minor), name) << major << "." << minor;
    EXPECT_EQ(PresetWindowsChoice(name), preset) << name;
    EXPECT_EQ(IsModernWindows(name), modern) << name;
  }
}

TEST(Windows, ArchitectureNames) {
  const std::vector<std::pair<unsigned, std::string>> cases{
      {0, "x86"}, {6, "Intel Itanium-based"}, {9, "x64"}, {0xFFFF, "Unknown architecture"},
      {5, "Unknown"}, {12, "Unknown"}};
  for (const auto& [code, name] : cases) EXPECT_EQ(ArchitectureName(code), name) << code;
}

TEST(Windows, HintNamesTheWindowsTwice) {
  EXPECT_EQ(HintText("Windows 10", "x64"), "You are using Windows 10 x64 OS.\nPlease select Windows 10 to install.");
  EXPECT_EQ(HintText("Unknow", "x86"), "You are using Unknow x86 OS.\nPlease select Unknow to install.");
}
