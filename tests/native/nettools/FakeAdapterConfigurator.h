// The adapter seam's test double: an adapter whose IPv4 configuration the
// methods change as Windows does (EnableDHCP leaves static gateways), the
// methods called in order, and their scripted results.
#pragma once

#include <deque>
#include <optional>
#include <string>
#include <vector>

#include "prtbench/nettools/AdapterConfigurator.h"

namespace nettest {

class FakeAdapterConfigurator : public prtbench::AdapterConfigurator {
 public:
  std::optional<prtbench::AdapterSettings> adapter;  // none: not found
  std::deque<long> results;                          // of the next methods; once empty they return 0
  std::vector<std::string> calls;

  std::optional<prtbench::AdapterSettings> FindLocalAdapter() override {
    calls.push_back("find");
    return adapter;
  }
  long EnableDhcp() override {
    return Call("EnableDHCP", [](prtbench::AdapterSettings& a) {
      a.dhcp = true;
      a.ips.clear();  // the server's lease gives them
      a.masks.clear();
    });
  }
  long EnableStatic(const std::vector<std::string>& ips, const std::vector<std::string>& masks) override {
    return Call("EnableStatic" + Pairs(ips, masks), [&](prtbench::AdapterSettings& a) {
      a.dhcp = false;
      a.ips = ips;
      a.masks = masks;
    });
  }
  long SetGateways(const std::vector<std::string>& gateways, const std::vector<int>& metrics) override {
    std::vector<std::string> texts;
    for (int metric : metrics) texts.push_back(std::to_string(metric));
    return Call("SetGateways" + Pairs(gateways, texts), [&](prtbench::AdapterSettings& a) {
      a.gateways = gateways;
      a.metrics = metrics;
    });
  }

 private:
  static std::string Pairs(const std::vector<std::string>& left, const std::vector<std::string>& right) {
    std::string text;
    for (size_t i = 0; i < left.size(); ++i) text += " " + left[i] + "/" + (i < right.size() ? right[i] : "?");
    return text;
  }
  template <typename Change>
  long Call(std::string call, Change change) {
    calls.push_back(std::move(call));
    long result = 0;
    if (!results.empty()) {
      result = results.front();
      results.pop_front();
    }
    if (adapter && prtbench::AdapterMethodDone(result)) change(*adapter);
    return result;
  }
};

// Lends a window the fixture's double for one run; "release" in its calls
// marks the run's end.
class LentAdapter : public prtbench::AdapterConfigurator {
 public:
  explicit LentAdapter(FakeAdapterConfigurator& fake) : fake_(fake) {}
  ~LentAdapter() override { fake_.calls.push_back("release"); }
  std::optional<prtbench::AdapterSettings> FindLocalAdapter() override { return fake_.FindLocalAdapter(); }
  long EnableDhcp() override { return fake_.EnableDhcp(); }
  long EnableStatic(const std::vector<std::string>& ips, const std::vector<std::string>& masks) override {
    return fake_.EnableStatic(ips, masks);
  }
  long SetGateways(const std::vector<std::string>& gateways, const std::vector<int>& metrics) override {
    return fake_.SetGateways(gateways, metrics);
  }

 private:
  FakeAdapterConfigurator& fake_;
};

}  // namespace nettest
