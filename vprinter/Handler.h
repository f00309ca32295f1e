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

namespace vprinter {

class ConnectionHandler {
 public:
  virtual ~ConnectionHandler() = default;
  // Called with each chunk as it arrives; returns the bytes to send back on
  // the same connection (empty: no answer).
  virtual std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t> bytes) = 0;
  // True once the printer wants to hang up (the pty cannot; it goes deaf).
  virtual bool WantsClose() const { return false; }
};

// A plain printer: takes print data, answers nothing.
class PrintHandler : public ConnectionHandler {
 public:
  std::vector<std::uint8_t> OnBytes(std::span<const std::uint8_t>) override { return {}; }
};

// The one place that decides how a new connection behaves, from the options
// and its source ("tcp:ADDR:PORT" or "pty:PATH").
std::unique_ptr<ConnectionHandler> MakeHandler(const Options& options, const std::string& source);

}  // namespace vprinter
