// The series table and the staging rules of the driver installation.
#include "drvsetup/Drivers.h"

#include <algorithm>

namespace drvsetup {
namespace {

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::equal(a.begin(), a.end(), b.begin(), b.end(), [&](char x, char y) { return lower(x) == lower(y); });
}

}  // namespace

namespace {

constexpr std::array<DriverRow, kSeriesCount> kTable{{
    {"RX-3T", "POS80.DLL", "POS80C.GPD"},
    {"RX-4", "POS80.DLL", "POS80C.GPD"},
    {"RX-5", "POS80.DLL", "POS80.GPD"},
    {"Corvane RX-8", "POS80.DLL", "POS80C.GPD"},
    {"RX-6", "POS80.DLL", "POS80C.GPD"},
    {"RX-7", "POS58.DLL", "POS58.GPD"},
    {"RX-2", "POS80.DLL", "POS80C.GPD"},
}};

}  // namespace

const std::array<DriverRow, kSeriesCount>& DriverTable() { return kTable; }

Environment EnvironmentFor(std::string_view architecture) {
  if (architecture == "x64") return {"Windows x64", "Windows x64"};
  return {"Windows NT x86", "Windows NT x86"};
}

std::vector<std::string> StagedFiles(const DriverRow& row) {
  return {std::string(row.resourceDll), std::string(row.gpd), "UNIDRV.DLL", "UNIDRVUI.DLL",
          "UNIRES.DLL", "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD"};
}

std::string DependentFiles(const DriverRow& row) {
  std::string list = "TTFSUB.GPD\nSTDNAMES.GPD\nUNIRES.DLL\n" + std::string(row.resourceDll) + "\n\n\n\n";
  std::replace(list.begin(), list.end(), '\n', '\0');
  return list;
}

std::string UniquePrinterName(std::string_view series, const std::vector<std::string>& existing, bool chinese,
                              const std::function<void(const NameComparison&)>& compared) {
  std::string candidate(series);
  int n = 1;
  // a rescan from the first entry per number: the numbers taken need not be in order
  for (size_t i = 0; i < existing.size(); ++i) {
    if (compared) compared({existing[i], i, n, candidate});
    if (!SameIgnoringCase(existing[i], candidate)) continue;
    candidate = std::string(series) + (chinese ? " (副本 " : " (copy ") + std::to_string(n++) + ")";
    i = static_cast<size_t>(-1);
  }
  return candidate;
}

std::string ComparisonLine(const NameComparison& c, unsigned language) {
  return "name=" + std::string(c.existing) + ",i=" + std::to_string(c.position) + ",n=" + std::to_string(c.nextCopy) +
         ".temStr=" + std::string(c.candidate) + ",userLanguage=" + std::to_string(language) + "\r\n";
}

}  // namespace drvsetup
