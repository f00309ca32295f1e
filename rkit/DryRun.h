// --dry-run: the bytes that would go to the printer, in hexadecimal, one
// line per send, on standard output.
#pragma once

#include <ostream>
#include <span>

#include "prtbench/link/PrintSink.h"

namespace rkit {

// "1D 56 42 00\n": every byte as two upper-case digits, blank separated.
void WriteHex(std::ostream& out, std::span<const std::uint8_t> bytes);

class DryRunSink final : public prtbench::PrintSink {
 public:
  explicit DryRunSink(std::ostream& out) : out_(out) {}
  bool Print(std::span<const std::uint8_t> bytes) override {
    WriteHex(out_, bytes);
    return true;
  }
  void EndJob() override {}

 private:
  std::ostream& out_;
};

}  // namespace rkit
