// Starting other programs (the firmware updater, ping, driver installers)
// goes through Launcher, so tests record what would start instead.
#pragma once

#include <string_view>

namespace winui {

class Launcher {
 public:
  virtual ~Launcher() = default;
  // Opens `file` (a full path: see ProgramFolder.h for the kit's own and system programs)
  // with `parameters` by the shell's "open" verb; false when it did not start.
  virtual bool Open(std::string_view file, std::string_view parameters) = 0;
  // Opens `file` without parameters with `directory` as its working
  // directory, for a program that finds its files there (a driver package
  // installer); false when it did not start.
  virtual bool OpenIn(std::string_view file, std::string_view directory) = 0;
};

class ShellLauncher : public Launcher {
 public:
  bool Open(std::string_view file, std::string_view parameters) override;
  bool OpenIn(std::string_view file, std::string_view directory) override;
};

}  // namespace winui
