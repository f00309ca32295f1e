// The printer series the installer knows, the files each needs staged for
// the spooler, and the name a new printer gets beside the existing ones.
#pragma once

#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace drvsetup {

struct DriverRow {
  std::string_view series;       // also the driver's name
  std::string_view resourceDll;  // the series' resource DLL
  std::string_view gpd;          // the series' GPD file
};

inline constexpr size_t kSeriesCount = 7;
// Rows in the order of the series radio buttons.
const std::array<DriverRow, kSeriesCount>& DriverTable();

struct Environment {
  std::string_view spooler;  // the spooler's environment name
  std::string_view folder;   // source folder, in the folder of drvsetup.exe
};

// "x64" stages the 64-bit driver; every other architecture the 32-bit one.
Environment EnvironmentFor(std::string_view architecture);

// The eight files copied into the driver directory, in the order of copying.
std::vector<std::string> StagedFiles(const DriverRow& row);

// The driver's dependent files as the spooler reads them: names each ended by
// a zero byte, then empty names (three more zero bytes).
std::string DependentFiles(const DriverRow& row);

// `series`, or "<series> (copy n)" ("(副本 n)" in Chinese) with the smallest
// n from 1 up that leads to a name none of `existing` has; names compare
// without regard to the case of ASCII letters, as the spooler's do.
// `compared` sees every comparison: the existing name, its position in the
// list, the next copy number and the candidate.
struct NameComparison {
  std::string_view existing;
  size_t position;
  int nextCopy;
  std::string_view candidate;
};
std::string UniquePrinterName(std::string_view series, const std::vector<std::string>& existing, bool chinese,
                              const std::function<void(const NameComparison&)>& compared = {});

// The debugger line of one comparison:
// "name=<existing>,i=<position>,n=<next copy>.temStr=<candidate>,userLanguage=<language>\r\n".
std::string ComparisonLine(const NameComparison& comparison, unsigned language);

}  // namespace drvsetup
