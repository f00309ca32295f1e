// What a connection does with the bytes it receives. The server journals every
// byte first; the handler is the printer's behaviour on top and may answer.
// New behaviours (a firmware mode, fault switches) are new handlers chosen in
// MakeHandler.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "vprinter/Options.h"
#include "vprinter/Printer.h"

namespace vprinter {

class ConnectionHandler {
 public:
  virtual ~ConnectionHandler() = default;
  // Called with each chunk as it arrives; returns the bytes to send back on
  // the same connection (empty: no answer).
  virtual std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t> bytes) = 0;
  // Bytes the printer sends unasked (its automatic status), called every turn
  // of the loop; empty: nothing now.
  virtual std::vector<std::uint8_t> Unasked() { return {}; }
  // True once the printer wants to hang up (the pty cannot; it goes deaf).
  virtual bool WantsClose() const { return false; }
  // The connection ended, closed by either side or because vprinter stops.
  virtual void OnClose() {}
};

// A printing connection: its bytes go to the printer, which answers its
// status requests.
// Its end is the end of a job.
class PrintHandler : public ConnectionHandler {
 public:
  explicit PrintHandler(Printer& printer) : printer_(printer) {}
  std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t> bytes) override;
  std::vector<std::uint8_t> Unasked() override { return printer_.StatusChange(automatic_); }
  void OnClose() override { printer_.EndOfJob(); }

 private:
  Printer& printer_;
  AutomaticStatus automatic_;
};

// The status port: 1B 76 00 is answered with the status word (or the reply a
// test chose, which may be short or nothing); configuration frames, the new
// address and identifier among them, change the settings and are noted in
// printer.log; anything else is dropped, each run of it noted once.
class StatusHandler : public ConnectionHandler {
 public:
  StatusHandler(Printer& printer, escpos::EventLog& log) : printer_(printer), log_(log) {}
  std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t> bytes) override;

 private:
  // Takes one request, frame or unknown byte from the front of `in`; 0 while
  // it is not complete.
  size_t Take(std::span<const std::uint8_t> in, std::vector<std::uint8_t>& reply);
  void FlushUnknown();

  Printer& printer_;
  escpos::EventLog& log_;
  std::vector<std::uint8_t> pending_;
  std::uint64_t unknown_ = 0;  // bytes in the current unknown run
  std::string unknownHex_;     // its first bytes
};

// Seconds on the clock the printer's buffer runs on.
double Now();

// The one place that decides how a new connection behaves, from the options,
// its source ("tcp:ADDR:PORT" or "pty:PATH") and whether it came to a
// status port.
std::unique_ptr<ConnectionHandler> MakeHandler(const Options& options, const std::string& source, bool statusPort,
                                               Printer& printer, escpos::EventLog& log);

}  // namespace vprinter
