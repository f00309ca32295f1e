// The adapter seam's test double: a found adapter (or none), the methods
// called in order, and their scripted results.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "prtbench/nettools/AdapterConfigurator.h"

namespace nettest {

class FakeAdapterConfigurator : public prtbench::AdapterConfigurator {
 public:
  std::optional<prtbench::AdapterSettings> adapter;
  std::deque<long> results;  // of the next methods; once empty they return 0
  std::vector<std::string> calls;

  std::optional<prtbench::AdapterSettings> FindLocalAdapter() override {
    calls.push_back("find");
    return adapter;
  }
  long EnableDhcp() override { return Call("EnableDHCP"); }
  long EnableStatic(const std::string& ip, const std::string& mask) override {
    return Call("EnableStatic " + ip + " " + mask);
  }
  long SetGateways(const std::string& gateway, int metric) override {
    return Call("SetGateways " + gateway + " " + std::to_string(metric));
  }

 private:
  long Call(std::string call) {
    calls.push_back(std::move(call));
    if (results.empty()) return 0;
    const long result = results.front();
    results.pop_front();
    return result;
  }
};

}  // namespace nettest
