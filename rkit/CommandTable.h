// What the command table knows of each command, and the helpers every
// command uses to refuse its input.
#pragma once

#include <string>
#include <vector>

#include "rkit/Commands.h"

namespace rkit {

struct CommandEntry {
  const char* name;
  const char* synopsis;  // after "rkit [LINK] NAME "
  const char* help;      // what it does, lines of at most 100 characters
  std::vector<std::string> options;  // the command options it takes
  size_t minWords;
  size_t maxWords;
  bool needsLink;
  int (*run)(const Invocation&, Environment&);
};

// The commands, by the file that holds them.
const std::vector<CommandEntry>& PrintCommands();
const std::vector<CommandEntry>& PictureCommands();
const std::vector<CommandEntry>& NetworkCommands();
const std::vector<CommandEntry>& SettingCommands();

// Sends `buffers` in order on the sink and ends the job: kExitOk, or the
// link's failure on standard error and kExitLinkOpen or kExitLinkSend.
int SendAll(Environment& e, const std::vector<prtbench::Bytes>& buffers);

// One line on standard error: the problem and where help is; kExitUsage.
int UsageError(Environment& e, const std::string& command, const std::string& problem);
// One line on standard error: what cannot be sent; kExitInput.
int Refuse(Environment& e, const std::string& problem);

}  // namespace rkit
