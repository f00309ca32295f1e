// Watching the driver package installer through its window titles.
#include "drvsetup/win/VirtualComInstall.h"

#include <windows.h>

#include "drvsetup/Texts.h"
#include "drvsetup/win/SerialSnapshot.h"
#include "winui/Utf.h"

namespace drvsetup {
namespace {

// the new ports reach the serial port list a moment after the final page
constexpr unsigned kAfterFinalPage = 1000;

}  // namespace

std::optional<std::string> VirtualComInstall::Start() {
  before_ = SnapshotSerialPorts(services_.serialCommKey);
  installerSeen_ = false;  // a window seen by an earlier installation is not this one's
  const PackageInstaller installer = PackageInstallerFor(services_.driverRoot, services_.windows.architecture);
  if (services_.launcher.OpenIn(installer.program, installer.directory)) return std::nullopt;
  before_.reset();
  return StartFailedMessage(installer.program, services_.language == kSimplifiedChinese);
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
  if (after) report = CreatedComPortsReport(before_.value_or(std::vector<SerialEntry>{}), *after, devicePorts.value_or(std::vector<std::string>{}));
  return Watch::Stop;
}

}  // namespace drvsetup
