// DetectWindows: the running Windows and the machine's native architecture,
// as the names the installer shows and decides by.
#pragma once

#include <string>

namespace drvsetup {

struct WindowsInfo {
  std::string name;          // "Windows 10", "Unknow", ...
  std::string architecture;  // "x64", "x86", ...
};

// The version the system reports (its true one, as the manifest declares the
// versions we support) and the native processor architecture, which for a
// 32-bit process on 64-bit Windows is x64.
WindowsInfo DetectWindows();

// The user's display language (2052 Simplified Chinese, 1033 US English).
unsigned UserDisplayLanguage();

}  // namespace drvsetup
