// Version and architecture of the running system.
#include "drvsetup/win/SystemInfo.h"

#include <windows.h>

#include "drvsetup/Windows.h"

namespace drvsetup {

WindowsInfo DetectWindows() {
  OSVERSIONINFOW version{};
  version.dwOSVersionInfoSize = sizeof version;
  GetVersionExW(&version);
  SYSTEM_INFO system{};
  GetNativeSystemInfo(&system);
  return {WindowsName(version.dwMajorVersion, version.dwMinorVersion), ArchitectureName(system.wProcessorArchitecture)};
}

unsigned UserDisplayLanguage() { return GetUserDefaultUILanguage(); }

}  // namespace drvsetup
