// The installation against Wine's real spooler: dummy driver files in the
// current directory, the driver and printers it registers read back.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "SpoolerState.h"
#include "common/Pause.h"
#include "drvsetup/Drivers.h"
#include "drvsetup/Texts.h"
#include "drvsetup/win/Installer.h"
#include "drvsetup/win/SystemInfo.h"
#include "support/RecordingPrompts.h"
#include "winui/Utf.h"

namespace {

using drvsetup::PrinterInstaller;
using testsupport::Printer;
using testsupport::PrinterState;

const std::vector<std::string> kAllDriverFiles{"POS80.DLL",  "POS58.DLL",    "POS80C.GPD", "POS80.GPD",
                                               "POS58.GPD",  "UNIDRV.DLL",   "UNIDRVUI.DLL", "UNIRES.DLL",
                                               "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD"};
constexpr int kRx8 = 3;

class Installation : public testing::Test {
 protected:
  Installation()
      : architecture_(drvsetup::DetectWindows().architecture),
        environment_(drvsetup::EnvironmentFor(architecture_)),
        source_(std::string(environment_.folder), kAllDriverFiles) {
    CleanUp();
  }
  ~Installation() override { CleanUp(); }

  static void CleanUp() {
    for (const auto& row : drvsetup::DriverTable()) testsupport::DeletePrinters(std::string(row.series));
  }
  PrinterInstaller MakeInstaller(unsigned language = 1033) {
    return PrinterInstaller(spooler_, prompts, clock_, architecture_, language, source_.root());
  }
  std::string DriverDirectory() { return *spooler_.DriverDirectory(environment_.spooler); }
  // The series' staged files still in the driver directory.
  std::vector<std::string> StagedFilesLeft() {
    std::vector<std::string> left;
    for (const auto& file : drvsetup::StagedFiles(drvsetup::DriverTable()[kRx8])) {
      const std::wstring path = winui::Widen(DriverDirectory() + "\\" + file);
      if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) left.push_back(file);
    }
    return left;
  }

  std::vector<unsigned> pauses;
  kit::FunctionClock clock_{[this](unsigned ms) { pauses.push_back(ms); }};
  testsupport::RecordingPrompts prompts;
  std::string architecture_;
  drvsetup::Environment environment_;
  testsupport::DriverSourceFolder source_;

 private:
  drvsetup::WinSpooler spooler_;
};

TEST_F(Installation, RegistersEachSeriesDriverAndCreatesItsPrinter) {
  for (int row = 0; row < static_cast<int>(drvsetup::kSeriesCount); ++row) {
    const auto& driver = drvsetup::DriverTable()[row];
    const std::string series(driver.series);
    PrinterInstaller installer = MakeInstaller();
    ASSERT_TRUE(installer.InstallPrinter(nullptr, 0, row, false, "LPT1:")) << row;
    EXPECT_EQ(installer.finalPrinterName(), series);
    EXPECT_EQ(Printer(series), (PrinterState{"LPT1:", series, "WinPrint", "RAW"})) << row;
    const auto registered = testsupport::Driver(series, std::string(environment_.spooler));
    ASSERT_TRUE(registered.has_value()) << row;
    EXPECT_EQ(registered->dataFile, driver.gpd) << row;
    EXPECT_EQ(registered->dependentFiles,
              (std::vector<std::string>{"TTFSUB.GPD", "STDNAMES.GPD", "UNIRES.DLL", std::string(driver.resourceDll)}))
        << row;
  }
  EXPECT_TRUE(prompts.records().empty());
  EXPECT_EQ(pauses.size(), 3 * drvsetup::kSeriesCount);
  EXPECT_EQ(pauses.front(), 111u);
}

TEST_F(Installation, StagedFilesLeaveTheDriverDirectory) {
  ASSERT_TRUE(MakeInstaller().InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  for (const auto& file : drvsetup::StagedFiles(drvsetup::DriverTable()[kRx8])) {
    const std::wstring path = winui::Widen(DriverDirectory() + "\\" + file);
    EXPECT_EQ(GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES) << file;
  }
}

TEST_F(Installation, CopyNumbersFollowExistingPrintersAndTheDefaultIsTheNewOne) {
  struct Step {
    unsigned language;
    bool setDefault;
    std::string name;
    std::string defaultAfter;
  };
  const std::vector<Step> steps{
      {1033, true, "Corvane RX-8", "Corvane RX-8"},
      {1033, false, "Corvane RX-8 (copy 1)", "Corvane RX-8"},
      {1033, true, "Corvane RX-8 (copy 2)", "Corvane RX-8 (copy 2)"},
      {2052, true, "Corvane RX-8 (副本 1)", "Corvane RX-8 (副本 1)"},
  };
  for (const auto& step : steps) {
    PrinterInstaller installer = MakeInstaller(step.language);
    ASSERT_TRUE(installer.InstallPrinter(nullptr, 0, kRx8, step.setDefault, "LPT1:")) << step.name;
    EXPECT_EQ(installer.finalPrinterName(), step.name);
    EXPECT_TRUE(Printer(step.name).has_value()) << step.name;
    EXPECT_EQ(testsupport::DefaultPrinter(), step.defaultAfter) << step.name;
  }
}

TEST_F(Installation, APlainNameFreedAgainIsTakenBeforeCopyNumbers) {
  ASSERT_TRUE(MakeInstaller().InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  ASSERT_TRUE(MakeInstaller().InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  testsupport::DeletePrinterNamed("Corvane RX-8");
  ASSERT_TRUE(Printer("Corvane RX-8 (copy 1)").has_value());
  PrinterInstaller installer = MakeInstaller();
  ASSERT_TRUE(installer.InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  EXPECT_EQ(installer.finalPrinterName(), "Corvane RX-8");
}

// The real spooler, except that creating the printer fails.
class NoPrinterSpooler : public drvsetup::WinSpooler {
 public:
  DWORD CreatePrinter(std::string_view, std::string_view, std::string_view) override { return ERROR_INVALID_PRINTER_NAME; }
  bool MakeDefault(std::string_view name) override {
    defaults.emplace_back(name);
    return true;
  }
  std::vector<std::string> defaults;
};

TEST_F(Installation, APrinterThatCannotBeCreatedFailsTheInstallation) {
  NoPrinterSpooler spooler;
  PrinterInstaller installer(spooler, prompts, clock_, architecture_, 1033, source_.root());
  EXPECT_FALSE(installer.InstallPrinter(nullptr, 0, kRx8, true, "LPT1:"));
  EXPECT_TRUE(spooler.defaults.empty());
  EXPECT_TRUE(prompts.records().empty());
  const std::wstring staged = winui::Widen(DriverDirectory() + "\\POS80C.GPD");
  EXPECT_EQ(GetFileAttributesW(staged.c_str()), INVALID_FILE_ATTRIBUTES);
}

// The real spooler, except that no default printer can be set.
class NoDefaultSpooler : public drvsetup::WinSpooler {
 public:
  bool MakeDefault(std::string_view) override { return false; }
};

TEST_F(Installation, ADefaultThatCannotBeSetIsShownAndTheInstallationStands) {
  NoDefaultSpooler spooler;
  for (const unsigned language : {1033u, 2052u}) {
    PrinterInstaller installer(spooler, prompts, clock_, architecture_, language, source_.root());
    EXPECT_TRUE(installer.InstallPrinter(nullptr, 0, kRx8, true, "LPT1:")) << language;
    EXPECT_EQ(prompts.messages().back(), drvsetup::DefaultFailedMessage(language == 2052)) << language;
  }
  EXPECT_EQ(prompts.messages().size(), 2u);
}

TEST_F(Installation, PrinterOnAUsbPort) {
  PrinterInstaller installer = MakeInstaller();
  ASSERT_TRUE(installer.InstallPrinter(nullptr, 0, kRx8, false, "USB001"));
  ASSERT_TRUE(Printer("Corvane RX-8").has_value());
  EXPECT_EQ(Printer("Corvane RX-8")->port, "USB001");
}

TEST_F(Installation, AMissingFileFailsWithTheCopyMessageOfTheWindowsChoice) {
  source_.Remove("UNIDRV.HLP");
  const std::vector<std::pair<int, std::string>> cases{
      {0, "Malfunction !"},
      {2, "Malfunction !"},
      {3, "Malfunction !\nPls try using <Run as administrator>open this App"},
      {5, "Malfunction !\nPls try using <Run as administrator>open this App"},
  };
  for (const auto& [choice, message] : cases) {
    testsupport::RecordingPrompts local;
    drvsetup::WinSpooler spooler;
    PrinterInstaller installer(spooler, local, clock_, architecture_, 1033, source_.root());
    EXPECT_FALSE(installer.InstallPrinter(nullptr, choice, kRx8, true, "LPT1:")) << choice;
    EXPECT_EQ(local.messages(), std::vector<std::string>{message}) << choice;
  }
  EXPECT_FALSE(Printer("Corvane RX-8").has_value());
}

// The real spooler, except that it refuses the driver.
class RefusingSpooler : public drvsetup::WinSpooler {
 public:
  DWORD AddDriver(const drvsetup::DriverInfo&) override { return ERROR_ACCESS_DENIED; }
};

TEST_F(Installation, FilesStagedByAFailedInstallationLeaveTheDriverDirectory) {
  RefusingSpooler refusing;
  EXPECT_FALSE(PrinterInstaller(refusing, prompts, clock_, architecture_, 1033, source_.root()).InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  EXPECT_EQ(StagedFilesLeft(), std::vector<std::string>{});
  // UNIDRV.HLP is copied sixth: the five before it are staged when its copy fails
  source_.Remove("UNIDRV.HLP");
  EXPECT_FALSE(MakeInstaller().InstallPrinter(nullptr, 0, kRx8, false, "LPT1:"));
  EXPECT_EQ(StagedFilesLeft(), std::vector<std::string>{});
}

TEST_F(Installation, ARefusedDriverShowsTheSystemTextThenTheDriverMessage) {
  const std::vector<std::pair<unsigned, std::string>> cases{{1033, "Install printer driver failed !"},
                                                            {2052, "安装打印机驱动过程发生错误！"}};
  for (const auto& [language, message] : cases) {
    RefusingSpooler spooler;
    testsupport::RecordingPrompts local;
    PrinterInstaller installer(spooler, local, clock_, architecture_, language, source_.root());
    EXPECT_FALSE(installer.InstallPrinter(nullptr, 0, kRx8, true, "LPT1:")) << language;
    EXPECT_EQ(local.messages(), (std::vector<std::string>{drvsetup::SystemErrorText(ERROR_ACCESS_DENIED), message}));
  }
  EXPECT_FALSE(Printer("Corvane RX-8").has_value());
  EXPECT_NE(drvsetup::SystemErrorText(ERROR_ACCESS_DENIED), "");
}

}  // namespace
