// Names of Windows versions and processor architectures.
#include "drvsetup/Windows.h"

#include <array>
#include <utility>

namespace drvsetup {

std::string WindowsName(unsigned major, unsigned minor) {
  if (major == 5) {
    constexpr std::array<const char*, 3> names{"Windows 2000", "Windows XP", "Windows 2003"};
    return minor < names.size() ? names[minor] : "Unknow";
  }
  if (major == 6) {
    constexpr std::array<const char*, 4> names{"Windows Vista", "Windows 7", "Windows 8", "Windows 8.1"};
    return names[minor < 3 ? minor : 3];
  }
  if (major == 10) return minor == 0 ? "Windows 10" : "Windows 10.1";
  return "Unknow";
}

std::string ArchitectureName(unsigned processorArchitecture) {
  switch (processorArchitecture) {
    case 0: return "x86";
    case 6: return "Intel Itanium-based";
    case 9: return "x64";
    case 0xFFFF: return "Unknown architecture";
    default: return "Unknown";
  }
}

int PresetWindowsChoice(std::string_view windowsName) {
  static constexpr std::array<std::pair<std::string_view, int>, 6> presets{{
      {"Windows XP", 1}, {"Windows 2003", 2}, {"Windows Vista", 3},
      {"Windows 7", 4}, {"Windows 8", 5}, {"Windows 8.1", 5},
  }};
  for (const auto& [name, choice] : presets) {
    if (name == windowsName) return choice;
  }
  return 0;  // Windows 2000, 10, 10.1 and unknown versions: the "Windows 10" button
}

bool IsModernWindows(std::string_view windowsName) {
  return windowsName == "Windows 8" || windowsName == "Windows 8.1" || windowsName == "Windows 10" ||
         windowsName == "Windows 10.1";
}

std::string HintText(std::string_view windowsName, std::string_view architecture) {
  const std::string name(windowsName);
  return "You are using " + name + " " + std::string(architecture) + " OS.\nPlease select " + name + " to install.";
}

}  // namespace drvsetup
