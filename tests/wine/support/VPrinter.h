// Windows tests' handle on vprinter: started through the Unix shell ($VPRINTER),
// ready once DIR/ready appears, read through its journal and connection files
// on Z:, stopped through DIR/stop.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "vprinter/JournalEvents.h"

namespace testsupport {

using JournalEvents = std::vector<vprinter::JournalEvent>;

class VPrinter {
 public:
  // Starts vprinter with `arguments` (e.g. "--tcp 127.0.0.21:9100") on a
  // fresh journal directory, capped at two minutes, and waits until it is
  // ready; ready() tells whether it came up.
  explicit VPrinter(const std::string& arguments, int readyTimeoutMs = 10000);
  ~VPrinter();  // Stop()
  VPrinter(const VPrinter&) = delete;
  VPrinter& operator=(const VPrinter&) = delete;

  bool ready() const { return ready_; }
  const std::string& dir() const { return dir_; }
  // vprinter's own output, for failure messages.
  std::string Log() const;

  JournalEvents Journal() const;
  // Waits until `condition` holds for the journal.
  bool WaitJournal(const std::function<bool(const JournalEvents&)>& condition, int timeoutMs = 10000) const;
  // Events of one kind ("open", "close"...).
  static int Count(const JournalEvents& events, const std::string& kind);
  // The bytes connection `id` received so far.
  std::string Bytes(int id) const;
  // The n-th source of the ready line ("tcp:127.0.0.21:9100", "pty:/dev/pts/3").
  std::string Source(size_t index = 0) const;

  // Holds the process still (SIGSTOP through the Unix shell) or lets it go on:
  // a printer that stops reading, whose pty then fills until the writer blocks.
  bool Freeze(bool frozen);

  // Creates DIR/stop and waits for the journal's stop line; idempotent.
  bool Stop(int timeoutMs = 10000);

 private:
  std::string dir_;
  bool ready_ = false;
  bool stopped_ = false;
};

}  // namespace testsupport
