// Printer.ini beside the program, read and written with the private profile
// functions.
#pragma once

#include <string>

#include "prtbench/link/SettingsStore.h"

namespace prtbench {

// "Printer.ini" in the program's folder.
std::wstring SettingsFilePath();

class IniFileStore : public SettingsStore {
 public:
  explicit IniFileStore(std::wstring path) : path_(std::move(path)) {}

  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override;
  std::string ReadText(std::string_view section, std::string_view key, std::string_view defaultValue) const override;
  bool WriteText(std::string_view section, std::string_view key, std::string_view value) override;

 private:
  std::wstring path_;
};

}  // namespace prtbench
