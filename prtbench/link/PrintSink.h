// What a send sequence needs of the printer link, so that the sequences of
// logos, pictures and settings run the same over prtbench's link, a command
// line's link or a test's recorder.
#pragma once

#include <cstdint>
#include <span>

namespace prtbench {

class PrintSink {
 public:
  virtual ~PrintSink() = default;
  // Sends `bytes` to the printer: true when it took all of them.
  virtual bool Print(std::span<const std::uint8_t> bytes) = 0;
  // Ends the job's connection where a link lives per job (NET), so the next
  // Print opens a fresh one; other links stay open.
  virtual void EndJob() = 0;
};

}  // namespace prtbench
