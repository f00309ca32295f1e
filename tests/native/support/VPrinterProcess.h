// Native tests' handle on a running vprinter: start it on a fresh journal
// directory, wait until it listens, read its journal and bytes, stop it.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

#include "vprinter/JournalEvents.h"

namespace testsupport {

using Journal = std::vector<vprinter::JournalEvent>;

class VPrinterProcess {
 public:
  // Starts vprinter with `arguments` plus --journal <fresh dir> and a 60 s
  // lifetime cap, so a failed test never leaves it running.
  explicit VPrinterProcess(std::vector<std::string> arguments);
  ~VPrinterProcess();  // stops it if still running
  VPrinterProcess(const VPrinterProcess&) = delete;
  VPrinterProcess& operator=(const VPrinterProcess&) = delete;

  const std::string& dir() const { return dir_; }
  pid_t pid() const { return pid_; }
  // Waits for DIR/ready; false on time-out or when vprinter ended first.
  bool WaitReady(int timeoutMs = 5000);
  Journal ReadJournal() const;
  // Waits until `condition` holds for the journal.
  bool WaitJournal(const std::function<bool(const Journal&)>& condition, int timeoutMs = 5000) const;
  // The bytes connection `id` received so far.
  std::string Bytes(int id) const;
  // The n-th source of the ready line ("tcp:127.0.0.1:41234", "pty:/dev/pts/3").
  std::string Source(size_t index = 0) const;

  // Creates DIR/stop and waits for the exit: its status, -1 on time-out.
  int Stop(int timeoutMs = 5000);
  // Sends `signal` and waits for the exit: its status, -1 on time-out.
  int Signal(int signal, int timeoutMs = 5000);
  // Waits for the exit: its status, -1 on time-out.
  int WaitExit(int timeoutMs = 5000);

 private:
  std::string dir_;
  pid_t pid_ = -1;
  int status_ = -1;
};

struct RunResult {
  int status = -1;     // exit status, -1 when it had to be killed
  std::string output;  // stdout and stderr
};
// Runs vprinter with exactly `arguments` to its end (killed after `timeoutMs`).
RunResult RunVPrinter(const std::vector<std::string>& arguments, int timeoutMs = 5000);

// A fresh directory under /tmp.
std::string MakeTempDir();
std::string ReadFile(const std::string& path);

// A TCP connection to "tcp:ADDR:PORT" or "ADDR:PORT"; -1 on failure.
int ConnectTcp(const std::string& endpoint);
bool SendAll(int fd, const std::string& bytes);

// The bytes the status port at `endpoint` answers to one 1B 76 00 within half
// a second, or "no connection".
std::string StatusAnswer(const std::string& endpoint);

// True inside the private network namespace (only loopback up) where tests
// that open sockets must run.
bool InPrivateNetwork();

}  // namespace testsupport
