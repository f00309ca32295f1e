// The series table, the staged files, the environments and unique names.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "drvsetup/Drivers.h"
#include "drvsetup/Texts.h"

using namespace drvsetup;
using namespace std::string_literals;

TEST(Drivers, EachSeriesStagesItsResourceDllAndGpdThenTheSixUniversalFiles) {
  const std::vector<std::vector<std::string>> expected{
      {"RX-3T", "POS80.DLL", "POS80C.GPD"}, {"RX-4", "POS80.DLL", "POS80C.GPD"},
      {"RX-5", "POS80.DLL", "POS80.GPD"},   {"Corvane RX-8", "POS80.DLL", "POS80C.GPD"},
      {"RX-6", "POS80.DLL", "POS80C.GPD"},  {"RX-7", "POS58.DLL", "POS58.GPD"},
      {"RX-2", "POS80.DLL", "POS80C.GPD"},
  };
  ASSERT_EQ(DriverTable().size(), expected.size());
  for (size_t row = 0; row < expected.size(); ++row) {
    const DriverRow& r = DriverTable()[row];
    EXPECT_EQ(r.series, expected[row][0]) << row;
    EXPECT_EQ(StagedFiles(r), (std::vector<std::string>{expected[row][1], expected[row][2], "UNIDRV.DLL",
                                                        "UNIDRVUI.DLL", "UNIRES.DLL", "UNIDRV.HLP", "TTFSUB.GPD",
                                                        "STDNAMES.GPD"}))
        << row;
    EXPECT_EQ(DependentFiles(r), "TTFSUB.GPD\0STDNAMES.GPD\0UNIRES.DLL\0"s + expected[row][1] + "\0\0\0\0"s) << row;
  }
}

TEST(Drivers, OnlyX64ChoosesTheSixtyFourBitEnvironment) {
  const std::vector<std::pair<std::string, std::string>> cases{
      {"x64", "Windows x64"}, {"x86", "Windows NT x86"}, {"Intel Itanium-based", "Windows NT x86"},
      {"Unknown", "Windows NT x86"}, {"X64", "Windows NT x86"}};
  for (const auto& [architecture, environment] : cases) {
    EXPECT_EQ(EnvironmentFor(architecture).spooler, environment) << architecture;
    EXPECT_EQ(EnvironmentFor(architecture).folder, environment) << architecture;
  }
}

TEST(Drivers, UniqueNameTakesTheFirstFreeCopyNumber) {
  struct Case {
    std::vector<std::string> existing;
    bool chinese;
    std::string expected;
  };
  const std::vector<Case> cases{
      {{}, false, "Corvane RX-8"},
      {{"Corvane RX-8 (copy 1)"}, false, "Corvane RX-8"},
      {{"Corvane RX-8", "Corvane RX-8 (copy 1)"}, false, "Corvane RX-8 (copy 2)"},
      // taken numbers out of order: every new candidate is checked against the whole list
      {{"Corvane RX-8 (copy 2)", "Corvane RX-8 (copy 1)", "Corvane RX-8"}, false, "Corvane RX-8 (copy 3)"},
      {{"Corvane RX-8", "Corvane RX-8 (copy 2)"}, false, "Corvane RX-8 (copy 1)"},
      // the spooler's names ignore case: an installed "corvane rx-8" takes the plain name
      {{"corvane rx-8"}, false, "Corvane RX-8 (copy 1)"},
      {{"CORVANE RX-8", "corvane rx-8 (COPY 1)"}, false, "Corvane RX-8 (copy 2)"},
      {{"Corvane RX-8", "Corvane RX-8 (副本 1)"}, true, "Corvane RX-8 (副本 2)"},
      {{"Corvane RX-8", "Corvane RX-8 (副本 1)"}, false, "Corvane RX-8 (copy 1)"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(UniquePrinterName("Corvane RX-8", c.existing, c.chinese), c.expected) << c.existing.size();
  }
}

TEST(Drivers, EveryComparisonIsReportedAsADebuggerLine) {
  std::vector<std::string> lines;
  const std::vector<std::string> existing{"Other", "Corvane RX-8"};
  const auto name = UniquePrinterName("Corvane RX-8", existing, false,
                                      [&](const NameComparison& c) { lines.push_back(ComparisonLine(c, 1033)); });
  EXPECT_EQ(name, "Corvane RX-8 (copy 1)");
  EXPECT_EQ(lines, (std::vector<std::string>{
                       "name=Other,i=0,n=1.temStr=Corvane RX-8,userLanguage=1033\r\n",
                       "name=Corvane RX-8,i=1,n=1.temStr=Corvane RX-8,userLanguage=1033\r\n",
                       "name=Other,i=0,n=2.temStr=Corvane RX-8 (copy 1),userLanguage=1033\r\n",
                       "name=Corvane RX-8,i=1,n=2.temStr=Corvane RX-8 (copy 1),userLanguage=1033\r\n",
                   }));
}

TEST(Drivers, FailureMessagesByWindowsChoiceAndLanguage) {
  const std::string shortEn = "Malfunction !";
  const std::string longEn = "Malfunction !\nPls try using <Run as administrator>open this App";
  const std::string shortZh = "安装过程发生错误！";
  const std::string longZh = "安装过程发生错误！\n请尝试<以管理员身份运行>安装文件。";
  const std::vector<std::string> english{shortEn, shortEn, shortEn, longEn, longEn, longEn};
  const std::vector<std::string> chinese{shortZh, shortZh, shortZh, longZh, longZh, longZh};
  for (int choice = 0; choice < 6; ++choice) {
    EXPECT_EQ(CopyFailedMessage(choice, false), english[choice]) << choice;
    EXPECT_EQ(CopyFailedMessage(choice, true), chinese[choice]) << choice;
  }
  EXPECT_EQ(DriverFailedMessage(false), "Install printer driver failed !");
  EXPECT_EQ(DriverFailedMessage(true), "安装打印机驱动过程发生错误！");
  EXPECT_EQ(StartFailedMessage("C:\\w\\DPInst64.exe", false), "Can not start C:\\w\\DPInst64.exe !");
  EXPECT_EQ(StartFailedMessage("C:\\w\\DPInst64.exe", true), "无法启动 C:\\w\\DPInst64.exe！");
  EXPECT_EQ(DefaultFailedMessage(false), "Set Default Printer failed !");
  EXPECT_EQ(DefaultFailedMessage(true), "无法设为默认打印机！");
}
