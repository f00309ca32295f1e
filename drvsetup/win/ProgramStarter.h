// Starting the driver package installer, which needs its own working
// directory; a seam so that tests record the start instead.
#pragma once

#include <string_view>

namespace drvsetup {

class ProgramStarter {
 public:
  virtual ~ProgramStarter() = default;
  // Opens `program` without arguments in `directory` with the shell's "open"
  // verb, shown; false when it did not start.
  virtual bool Start(std::string_view program, std::string_view directory) = 0;
};

class ShellProgramStarter : public ProgramStarter {
 public:
  bool Start(std::string_view program, std::string_view directory) override;
};

}  // namespace drvsetup
