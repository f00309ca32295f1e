// Driver staging and spooler registration of one printer series.
#include "drvsetup/win/Installer.h"

#include <utility>
#include <vector>

#include "drvsetup/Drivers.h"
#include "drvsetup/Texts.h"
#include "winui/Utf.h"

namespace drvsetup {
namespace {

// the spooler is given time after each registration before the next call
constexpr unsigned kSpoolerSettle = 111;

std::wstring PathIn(std::string_view folder, std::string_view file) {
  return winui::Widen(std::string(folder) + "\\" + std::string(file));
}

DriverInfo DriverInfoFor(const DriverRow& row, std::string_view environment) {
  return {std::string(row.series), std::string(environment), "uniDRV.DLL", std::string(row.gpd),
          "uniDRVUI.DLL", "uniDRV.HLP", DependentFiles(row), "RAW"};
}

}  // namespace

PrinterInstaller::PrinterInstaller(Spooler& spooler, winui::Prompts& prompts, kit::Clock& clock,
                                   std::string architecture, unsigned language, std::string driverRoot)
    : spooler_(spooler),
      prompts_(prompts),
      clock_(clock),
      architecture_(std::move(architecture)),
      driverRoot_(std::move(driverRoot)),
      language_(language), chinese_(language == kSimplifiedChinese) {}

bool PrinterInstaller::InstallPrinter(HWND owner, int windowsChoice, int row, bool setDefault, std::string_view port) {
  finalName_ = std::string(DriverTable().at(row).series);
  if (!RegisterDriverAndPrinter(owner, windowsChoice, row, port)) return false;
  // by the name the printer got: with a copy number the series name is another printer
  // the printer exists all the same: the installation stands, the user learns what is missing
  if (setDefault && !spooler_.MakeDefault(finalName_)) prompts_.Message(owner, DefaultFailedMessage(chinese_));
  return true;
}

bool PrinterInstaller::RegisterDriverAndPrinter(HWND owner, int windowsChoice, int row, std::string_view port) {
  const DriverRow& driver = DriverTable().at(row);
  const Environment environment = EnvironmentFor(architecture_);
  const auto directory = spooler_.DriverDirectory(environment.spooler);
  if (!directory || !StageFiles(*directory, row)) {
    prompts_.Message(owner, CopyFailedMessage(windowsChoice, chinese_));
    return false;
  }

  const DWORD driverError = spooler_.AddDriver(DriverInfoFor(driver, environment.spooler));
  clock_.Pause(kSpoolerSettle);
  if (driverError != ERROR_SUCCESS) {
    RemoveStagedFiles(*directory, row);
    prompts_.Message(owner, SystemErrorText(driverError));
    prompts_.Message(owner, DriverFailedMessage(chinese_));
    return false;
  }

  clock_.Pause(kSpoolerSettle);
  if (const auto existing = spooler_.PrinterNames()) {
    finalName_ = UniquePrinterName(driver.series, *existing, chinese_, [this](const NameComparison& c) {
      OutputDebugStringW(winui::Widen(ComparisonLine(c, language_)).c_str());
    });
  }
  const DWORD printerError = spooler_.CreatePrinter(finalName_, port, driver.series);
  clock_.Pause(kSpoolerSettle);
  RemoveStagedFiles(*directory, row);
  // a driver without its printer is no installation: the caller reports the failure
  return printerError == ERROR_SUCCESS;
}

bool PrinterInstaller::StageFiles(const std::string& directory, int row) {
  const DriverRow& driver = DriverTable().at(row);
  const std::string source = driverRoot_ + "\\" + std::string(EnvironmentFor(architecture_).folder);
  DeleteFileW(PathIn(directory, driver.resourceDll).c_str());
  DeleteFileW(PathIn(directory, driver.gpd).c_str());
  const std::vector<std::string> files = StagedFiles(driver);
  for (size_t i = 0; i < files.size(); ++i) {
    if (CopyFileW(PathIn(source, files[i]).c_str(), PathIn(directory, files[i]).c_str(), FALSE)) continue;
    // only what this run copied goes: a file it did not reach may belong to another driver
    for (size_t copied = 0; copied < i; ++copied) DeleteFileW(PathIn(directory, files[copied]).c_str());
    return false;
  }
  return true;
}

void PrinterInstaller::RemoveStagedFiles(const std::string& directory, int row) {
  for (const auto& file : StagedFiles(DriverTable().at(row))) DeleteFileW(PathIn(directory, file).c_str());
}

}  // namespace drvsetup
