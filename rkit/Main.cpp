// rkit's assembly: the command line, the platform's services, a sleeping
// clock, the link or the dry run's writer, then the command.
#include <iostream>
#include <string>
#include <vector>

#include "common/Pause.h"
#include "rkit/Commands.h"
#include "rkit/DryRun.h"
#include "rkit/ExitCodes.h"
#include "rkit/Platform.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args = rkit::ProgramArguments(argc, argv);
  const rkit::ParseResult parsed = rkit::ParseCommandLine(args);
  if (!parsed.invocation) {
    std::cerr << "rkit: " << parsed.error << " (rkit --help)\n";
    return rkit::kExitUsage;
  }
  const rkit::Invocation& invocation = *parsed.invocation;
  const auto platform = rkit::MakePlatform();
  kit::SleepingClock clock;
  rkit::Link link(platform->devices(), platform->deviceReads(), clock, invocation.link.value_or(rkit::LinkChoice{}));
  rkit::DryRunSink dryRun(std::cout);
  rkit::Environment environment{invocation.dryRun ? static_cast<prtbench::PrintSink&>(dryRun) : link,
                                &link,
                                [&](const rkit::LinkChoice& choice) { return platform->UpgradePortFor(choice, clock); },
                                platform->devices(),
                                platform->datagrams(),
                                clock,
                                [&platform](const std::string& path) { return platform->ReadPicture(path); },
                                std::cout,
                                std::cerr,
                                std::cin,
                                platform->ErrorIsTerminal()};
  return rkit::RunInvocation(invocation, environment);
}
