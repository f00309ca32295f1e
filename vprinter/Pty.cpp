// Creating the raw pty pair and its symlink.
#include "vprinter/Pty.h"

#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace vprinter {

std::optional<Pty> OpenPty(const std::string& link, std::string& error) {
  Pty pty;
  pty.master = posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC);
  char name[256];
  if (pty.master < 0 || grantpt(pty.master) != 0 || unlockpt(pty.master) != 0 ||
      ptsname_r(pty.master, name, sizeof name) != 0) {
    error = std::string("cannot create a pty: ") + std::strerror(errno);
    if (pty.master >= 0) close(pty.master);
    return std::nullopt;
  }
  pty.slavePath = name;
  pty.slave = open(name, O_RDWR | O_NOCTTY | O_CLOEXEC);
  termios raw{};
  // raw: no line editing, no CR/LF translation; the bytes pass as written
  if (pty.slave < 0 || tcgetattr(pty.slave, &raw) != 0 || (cfmakeraw(&raw), tcsetattr(pty.slave, TCSANOW, &raw)) != 0) {
    error = "cannot set up " + pty.slavePath + ": " + std::strerror(errno);
    ClosePty(pty, {});
    return std::nullopt;
  }
  fcntl(pty.master, F_SETFL, fcntl(pty.master, F_GETFL) | O_NONBLOCK);
  unlink(link.c_str());
  if (symlink(name, link.c_str()) != 0) {
    error = "cannot link " + link + ": " + std::strerror(errno);
    ClosePty(pty, {});
    return std::nullopt;
  }
  return pty;
}

void ClosePty(Pty& pty, const std::string& link) {
  if (pty.slave >= 0) close(pty.slave);
  if (pty.master >= 0) close(pty.master);
  pty.slave = pty.master = -1;
  if (!link.empty()) unlink(link.c_str());
}

}  // namespace vprinter
