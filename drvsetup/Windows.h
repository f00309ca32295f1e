// Which Windows the installer runs on, as names, and what follows from them:
// the hint, the preset choice of the dialog and the modern-Windows rule.
#pragma once

#include <string>
#include <string_view>

namespace drvsetup {

// "Windows 2000" ... "Windows 10.1", or "Unknow" for versions outside the table.
std::string WindowsName(unsigned major, unsigned minor);

// The native processor architecture's name: 0 "x86", 6 "Intel Itanium-based",
// 9 "x64", 0xFFFF "Unknown architecture", any other "Unknown".
std::string ArchitectureName(unsigned processorArchitecture);

// The dialog's Windows choice (0 to 5) preset for a Windows name.
int PresetWindowsChoice(std::string_view windowsName);

// Windows 8 and later: the USB port rules no longer test "Linked".
bool IsModernWindows(std::string_view windowsName);

// "You are using <name> <architecture> OS.\nPlease select <name> to install."
std::string HintText(std::string_view windowsName, std::string_view architecture);

}  // namespace drvsetup
