// A PrintSink and a clock that write what happens to one log, in order:
// each buffer printed, "end" for EndJob and "pause N".
#pragma once

#include <deque>
#include <string>
#include <vector>

#include "common/Pause.h"
#include "prtbench/link/PrintSink.h"

namespace imagingtest {

class RecordingSink : public prtbench::PrintSink {
 public:
  std::vector<std::string> log;
  std::deque<bool> results;  // of the next prints; once empty they succeed
  kit::FunctionClock clock{[this](unsigned ms) { log.push_back("pause " + std::to_string(ms)); }};

  bool Print(std::span<const std::uint8_t> bytes) override {
    log.emplace_back(bytes.begin(), bytes.end());
    if (results.empty()) return true;
    const bool result = results.front();
    results.pop_front();
    return result;
  }
  void EndJob() override { log.push_back("end"); }
};

}  // namespace imagingtest
