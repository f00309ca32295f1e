// The settings store's test double: an in-memory INI file that logs every
// read and write in order.
#pragma once

#include <cstdlib>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "prtbench/link/SettingsStore.h"

namespace linktest {

class FakeSettingsStore : public prtbench::SettingsStore {
 public:
  void Put(const std::string& section, const std::string& key, const std::string& value) {
    values_[{section, key}] = value;
  }
  const std::string* Find(const std::string& section, const std::string& key) const {
    const auto it = values_.find({section, key});
    return it == values_.end() ? nullptr : &it->second;
  }
  // "read-int Section/Key", "read-text Section/Key", "write Section/Key=value"
  const std::vector<std::string>& log() const { return log_; }

  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override {
    log_.push_back("read-int " + std::string(section) + "/" + std::string(key));
    const std::string* value = Find(std::string(section), std::string(key));
    return value ? std::atoi(value->c_str()) : defaultValue;
  }
  std::string ReadText(std::string_view section, std::string_view key, std::string_view defaultValue) const override {
    log_.push_back("read-text " + std::string(section) + "/" + std::string(key));
    const std::string* value = Find(std::string(section), std::string(key));
    return value ? *value : std::string(defaultValue);
  }
  bool WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    log_.push_back("write " + std::string(section) + "/" + std::string(key) + "=" + std::string(value));
    values_[{std::string(section), std::string(key)}] = std::string(value);
    return true;
  }

 private:
  std::map<std::pair<std::string, std::string>, std::string> values_;
  mutable std::vector<std::string> log_;
};

}  // namespace linktest
