// Starting vprinter from a Wine test and reading what it received.
#include "support/VPrinter.h"

#include <windows.h>

#include "support/Unix.h"

namespace testsupport {

VPrinter::VPrinter(const std::string& arguments, int readyTimeoutMs) : dir_(MakeTempDir() + "/vprinter") {
  const std::string binary = Env("VPRINTER");
  if (binary.empty()) return;
  const std::string command = ShellQuote(binary) + " " + arguments + " --journal " + ShellQuote(dir_) +
                              " --lifetime 120 >" + ShellQuote(dir_ + ".log") + " 2>&1";
  ready_ = StartShell(command) && WaitForFile(dir_ + "/ready", readyTimeoutMs);
}

VPrinter::~VPrinter() { Stop(); }

bool VPrinter::Freeze(bool frozen) {
  const std::string signal = frozen ? "STOP" : "CONT";
  // "[-]" keeps the pattern from matching the shell that runs pkill
  return RunShell("pkill -" + signal + " -f -- " + ShellQuote("[-]-journal " + dir_)) == 0;
}

std::string VPrinter::Log() const { return ReadFile(dir_ + ".log"); }

JournalEvents VPrinter::Journal() const { return vprinter::ParseJournal(ReadFile(dir_ + "/journal.txt")); }

bool VPrinter::WaitJournal(const std::function<bool(const JournalEvents&)>& condition, int timeoutMs) const {
  for (int waited = 0;; waited += 10) {
    if (condition(Journal())) return true;
    if (waited >= timeoutMs) return false;
    Sleep(10);
  }
}

int VPrinter::Count(const JournalEvents& events, const std::string& kind) {
  int count = 0;
  for (const auto& event : events) count += event.kind == kind;
  return count;
}

std::string VPrinter::Bytes(int id) const { return ReadFile(dir_ + "/conn-" + std::to_string(id) + ".bin"); }

std::string VPrinter::Source(size_t index) const {
  for (const auto& event : Journal()) {
    if (event.kind == "ready" && index < event.sources.size()) return event.sources[index];
  }
  return {};
}

bool VPrinter::Stop(int timeoutMs) {
  if (!ready_ || stopped_) return true;
  stopped_ = true;
  WriteFile(dir_ + "/stop", "");
  return WaitJournal([](const JournalEvents& events) { return Count(events, "stop") > 0; }, timeoutMs);
}

}  // namespace testsupport
