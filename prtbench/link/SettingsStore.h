// Where the settings file is read and written: Printer.ini through the
// private profile functions in the program, a map in tests.
#pragma once

#include <string>
#include <string_view>

namespace prtbench {

class SettingsStore {
 public:
  virtual ~SettingsStore() = default;
  // The key's integer (as GetPrivateProfileInt reads it), or `defaultValue`
  // when the file or key is missing.
  virtual int ReadInt(std::string_view section, std::string_view key, int defaultValue) const = 0;
  // The key's whole text (UTF-8), or `defaultValue` when the file or key is
  // missing. Callers cut it to their buffer (ReadText in PrinterIni.h).
  virtual std::string ReadText(std::string_view section, std::string_view key,
                               std::string_view defaultValue) const = 0;
  // Failures are not reported: the user never hears of a settings write.
  virtual void WriteText(std::string_view section, std::string_view key, std::string_view value) = 0;
};

}  // namespace prtbench
