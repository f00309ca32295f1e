// The program starter's double: records "program|directory", starts nothing,
// answers `started`.
#pragma once

#include <string>
#include <vector>

#include "drvsetup/win/ProgramStarter.h"

namespace testsupport {

class RecordingStarter : public drvsetup::ProgramStarter {
 public:
  bool Start(std::string_view program, std::string_view directory) override {
    starts.push_back(std::string(program) + "|" + std::string(directory));
    return started;
  }
  std::vector<std::string> starts;
  bool started = true;
};

}  // namespace testsupport
