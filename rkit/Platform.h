// The operating system's services for rkit: POSIX on Linux (posix/), Win32 on
// Windows (win/). Made once by the program's assembly.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "prtbench/link/LinkDevices.h"
#include "prtbench/nettools/DatagramSockets.h"

namespace rkit {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual prtbench::LinkDevices& devices() = 0;
  virtual prtbench::DatagramSockets& datagrams() = 0;
  // Whether standard error is a terminal (a progress bar) or not (lines).
  virtual bool ErrorIsTerminal() const = 0;
};

std::unique_ptr<Platform> MakePlatform();

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace rkit
