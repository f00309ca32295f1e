// Watching the driver package installer through its window titles.
#include "drvsetup/win/VirtualComInstall.h"

#include <windows.h>

#include "drvsetup/win/SerialSnapshot.h"
#include "winui/Utf.h"

namespace drvsetup {
namespace {

// the new ports reach the serial port list a moment after the final page
constexpr unsigned kAfterFinalPage = 1000;

}  // namespace

bool VirtualComInstall::Start() {
  const auto before = SnapshotSerialPorts(services_.serialCommKey);
  before_ = before.value_or(std::vector<SerialEntry>{});
  const PackageInstaller installer = PackageInstallerFor(services_.driverRoot, services_.windows.architecture);
  services_.launcher.OpenIn(installer.program, installer.directory);
  return before.has_value();
}

VirtualComInstall::Watch VirtualComInstall::Look(std::optional<std::string>& report) {
  report.reset();
  HWND installer = FindWindowW(nullptr, winui::Widen(kPackageInstallerTitle).c_str());
  if (!installer) {
    if (!installerSeen_) return Watch::Continue;
    installerSeen_ = false;  // closed before its final page
    return Watch::Stop;
  }
  installerSeen_ = true;
  if (!FindWindowExW(installer, nullptr, L"#32770", winui::Widen(kPackageInstallerFinalPage).c_str())) {
    return Watch::Continue;
  }
  services_.clock.Pause(kAfterFinalPage);
  const auto after = SnapshotSerialPorts(services_.serialCommKey);
  const auto devicePorts = ListVirtualComPorts(services_.virtualComDeviceKey);
  if (after) report = CreatedComPortsReport(before_, *after, devicePorts.value_or(std::vector<std::string>{}));
  return Watch::Stop;
}

}  // namespace drvsetup
