// The operating system's services for rkit: POSIX on Linux (posix/), Win32 on
// Windows (win/). Made once by the program's assembly.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "common/Pause.h"
#include "prtbench/imaging/Image.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/nettools/DatagramSockets.h"
#include "rkit/Link.h"

namespace rkit {

class Platform {
 public:
  virtual ~Platform() = default;
  virtual prtbench::LinkDevices& devices() = 0;
  virtual prtbench::DatagramSockets& datagrams() = 0;
  // Replies read on serial and USB devices; nullptr where the devices offer none.
  virtual DeviceReads* deviceReads() = 0;
  // The upgrade's own link for `choice` where deviceReads() cannot hear it;
  // nullptr when the system has none for that kind of link.
  virtual std::unique_ptr<UpgradePort> UpgradePortFor(const LinkChoice& choice, kit::Clock& clock) = 0;
  // The picture at `path` as colours: nullopt when there is no such file, 0 x 0
  // when it cannot be decoded.
  virtual std::optional<prtbench::DecodedImage> ReadPicture(const std::string& path) = 0;
  // Whether standard error is a terminal (a progress bar) or not (lines).
  virtual bool ErrorIsTerminal() const = 0;
};

std::unique_ptr<Platform> MakePlatform();

// The arguments after the program's name, in UTF-8.
std::vector<std::string> ProgramArguments(int argc, char** argv);

}  // namespace rkit
