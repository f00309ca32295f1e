// The serial side of vprinter: a pty pair whose slave a program under test
// opens as its serial port, while vprinter reads the master.
#pragma once

#include <optional>
#include <string>

namespace vprinter {

struct Pty {
  int master = -1;  // non-blocking
  int slave = -1;   // kept open so the line settings stay and the master never sees a hang-up
  std::string slavePath;
};

// Opens a raw pty pair and points the symlink `link` at its slave. nullopt
// with a message in `error` on failure.
std::optional<Pty> OpenPty(const std::string& link, std::string& error);

void ClosePty(Pty& pty, const std::string& link);

}  // namespace vprinter
