// Which COM ports a virtual serial port driver installation created, from
// the serial ports listed before and after it.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drvsetup {

// One value of the system's serial port list: its name and its data, the
// port name (for example "COM5").
struct SerialEntry {
  std::string name;
  std::string data;
  bool operator==(const SerialEntry&) const = default;
};

// The report shown after the installation, "The created COM port is:" and
// each added port that belongs to the device followed by ";". A port is
// added when its name is in `after` and not in `before`, wherever the list
// puts it. nullopt when no port was added.
std::optional<std::string> CreatedComPortsReport(const std::vector<SerialEntry>& before,
                                                 const std::vector<SerialEntry>& after,
                                                 const std::vector<std::string>& devicePorts);

// The driver package installer of the architecture and its working
// directory, in `driverRoot` (the folder that holds the architecture folders): DPInst64.exe in "Windows x64" for
// "x64", DPInst32.exe in "Windows NT x86" for any other.
struct PackageInstaller {
  std::string program;
  std::string directory;
  bool operator==(const PackageInstaller&) const = default;
};
PackageInstaller PackageInstallerFor(std::string_view driverRoot, std::string_view architecture);

// The installer's windows: its top-level window, and on its final page a
// dialog of this title.
inline constexpr std::string_view kPackageInstallerTitle = "drvsetupForUSB2COM V2.1";
inline constexpr std::string_view kPackageInstallerFinalPage = "DPInst";

}  // namespace drvsetup
