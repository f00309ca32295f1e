// The virtual serial port driver installation: starts the driver package
// installer and, when its final page shows, names the COM ports it created.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "drvsetup/SerialPorts.h"
#include "drvsetup/win/Services.h"

namespace drvsetup {

class VirtualComInstall {
 public:
  explicit VirtualComInstall(SetupServices& services) : services_(services) {}

  // Takes the serial port list and starts the package installer of the
  // architecture from the driver root; the message to show when it did not
  // start, else nullopt. Each Start begins a new watch.
  std::optional<std::string> Start();
  // After a Start that succeeded: the serial port list was read, so that
  // watching makes sense.
  bool CanWatch() const { return before_.has_value(); }

  enum class Watch { Continue, Stop };
  // One look at the installer's windows. Stop once its final page showed
  // (`report` then holds what to tell the user, if ports were added) or
  // once its window, seen before, has gone.
  Watch Look(std::optional<std::string>& report);

 private:
  SetupServices& services_;
  std::optional<std::vector<SerialEntry>> before_;
  bool installerSeen_ = false;
};

}  // namespace drvsetup
