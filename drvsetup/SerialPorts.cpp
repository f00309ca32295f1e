// The difference of two serial port lists.
#include "drvsetup/SerialPorts.h"

#include <algorithm>

namespace drvsetup {

std::optional<std::string> CreatedComPortsReport(const std::vector<SerialEntry>& before,
                                                 const std::vector<SerialEntry>& after,
                                                 const std::vector<std::string>& devicePorts) {
  std::vector<std::string> added;
  for (const auto& entry : after) {
    const bool known = std::any_of(before.begin(), before.end(), [&](const auto& b) { return b.data == entry.data; });
    if (!known) added.push_back(entry.data);
  }
  if (added.empty()) return std::nullopt;
  std::string report = "The created COM port is:";
  for (const auto& port : added) {
    for (const auto& devicePort : devicePorts) {
      if (devicePort == port) report += devicePort + ";";
    }
  }
  return report;
}

PackageInstaller PackageInstallerFor(std::string_view driverRoot, std::string_view architecture) {
  const std::string here(driverRoot);
  if (architecture == "x64") return {here + "\\Windows x64\\DPInst64.exe", here + "\\Windows x64\\"};
  return {here + "\\Windows NT x86\\DPInst32.exe", here + "\\Windows NT X86\\"};
}

}  // namespace drvsetup
