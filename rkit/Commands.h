// rkit's commands: each reads its words and options, builds the bytes with the
// portable core's builders and sends them on the sink, or speaks the status,
// discovery and upgrade protocols. Returns the exit status (ExitCodes.h).
#pragma once

#include <functional>
#include <iosfwd>
#include <memory>
#include <string>

#include "common/Pause.h"
#include "prtbench/imaging/PictureSends.h"
#include "prtbench/link/LinkDevices.h"
#include "prtbench/link/PrintSink.h"
#include "prtbench/nettools/DatagramSockets.h"
#include "rkit/Link.h"
#include "rkit/Options.h"

namespace rkit {

// What a command may use; the assembly owns them.
struct Environment {
  prtbench::PrintSink& sink;  // the link, or the dry run's hexadecimal writer
  Link* link;                 // the link when not a dry run: its failure, its replies
  // The system's own upgrade link where `link` cannot hear the device; nullptr when none.
  std::function<std::unique_ptr<UpgradePort>(const LinkChoice&)> upgradePort;
  prtbench::LinkDevices& devices;
  prtbench::DatagramSockets& datagrams;
  kit::Clock& clock;
  prtbench::PictureLoader readPicture;  // nullopt: no such file; 0 x 0: not a picture it reads
  std::ostream& out;
  std::ostream& err;
  std::istream& in;
  bool terminal;  // standard error is a terminal: progress as a bar
};

// Runs `invocation` (parsed, not yet judged): its help, or the command.
int RunInvocation(const Invocation& invocation, Environment& environment);

// rkit --help.
std::string Usage();
// rkit COMMAND --help; empty for an unknown command.
std::string CommandHelp(const std::string& command);

}  // namespace rkit
