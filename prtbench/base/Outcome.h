// An outcome as data, as the printer link and the send sequences report it:
// which message, the port name before it, and the print bytes it counts. The
// window's state turns it into the status text in the current language.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "prtbench/base/Messages.h"

namespace prtbench {

struct Outcome {
  Msg message;
  std::string prefix;                  // put before the text as it is (a port name), may be empty
  std::optional<int> number;           // what the text's %d stands for, if it has one
  std::optional<std::uint32_t> sent;   // print bytes taken: counted, and the counts line follows
};

// Where outcomes go. Called from any thread; must not call back into the reporter's caller.
class OutcomeReporter {
 public:
  virtual ~OutcomeReporter() = default;
  virtual void Report(const Outcome& outcome) = 0;
};

}  // namespace prtbench
