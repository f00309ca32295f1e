// Where the printer's results go: finished receipts, and notes on what it
// did with its input (state changes, unknown bytes, what it could not print).
#pragma once

#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"

namespace vprinter::escpos {

struct Receipt {
  Bitmap page;                        // the printed paper, top to bottom
  std::vector<std::string> text;      // the text dump: printed lines and [markers]
  std::string ending;                 // "partial cut", "full cut", "not cut: the connection ended", ...
  std::vector<std::string> settings;  // the printer's settings when it left the printer
};

// A command that asks for the printer's state: DLE EOT n (real time), GS r n,
// GS a n (automatic status back on, or off with n 0) or GS I n. The printer answers
// it on the connection that sent it.
struct StatusRequest {
  enum class Kind { RealTime, Sensor, Automatic, Identity };
  Kind kind;
  int n;
  bool operator==(const StatusRequest&) const = default;
};

class ReceiptSink {
 public:
  virtual ~ReceiptSink() = default;
  virtual void Take(Receipt receipt) = 0;
};

class EventLog {
 public:
  virtual ~EventLog() = default;
  virtual void Note(const std::string& line) = 0;
};

}  // namespace vprinter::escpos
