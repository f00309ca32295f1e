// vprinter's entry point: options, signals, journal, serve.
#include <signal.h>

#include <cstdio>
#include <string>
#include <vector>

#include "vprinter/Journal.h"
#include "vprinter/Options.h"
#include "vprinter/Server.h"
#include "vprinter/web/WebServer.h"

namespace {

volatile std::sig_atomic_t g_signalled = 0;

void OnSignal(int) { g_signalled = 1; }

void InstallSignals() {
  struct sigaction action {};
  action.sa_handler = OnSignal;
  sigemptyset(&action.sa_mask);
  sigaction(SIGTERM, &action, nullptr);
  sigaction(SIGINT, &action, nullptr);
  signal(SIGPIPE, SIG_IGN);  // a client gone while we answer is not a reason to die
}

}  // namespace

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  const vprinter::ParseResult parsed = vprinter::ParseOptions(args);
  if (!parsed.options) {
    std::fprintf(stderr, "vprinter: %s\n\n%s", parsed.error.c_str(), vprinter::Usage().c_str());
    return 2;
  }
  if (parsed.options->help) {
    std::fputs(vprinter::Usage().c_str(), stdout);
    return 0;
  }
  InstallSignals();
  std::string error;
  // the page outlives the print loop that tells it what happens
  vprinter::web::WebServer web(parsed.options->journalDir, parsed.options->web, parsed.options->firmware);
  vprinter::Journal journal(parsed.options->journalDir);
  vprinter::Server server(*parsed.options, journal);
  journal.Watch(web.watcher());
  server.Watch(web.watcher());
  if (!journal.Open(error) || !web.Start(error) || !server.Start(error)) {
    std::fprintf(stderr, "vprinter: %s\n", error.c_str());
    return 1;
  }
  server.Run(g_signalled);
  return 0;
}
