// Where the settings file is read and written: Printer.ini through the
// private profile functions in the program, a map in tests.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <utility>

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
  // False when the value could not be written (a read-only folder).
  virtual bool WriteText(std::string_view section, std::string_view key, std::string_view value) = 0;
};

// Another store with its first failed write told once, so the user learns
// that the settings will not be kept instead of losing them without a word.
class NoticingSettingsStore : public SettingsStore {
 public:
  NoticingSettingsStore(SettingsStore& store, std::function<void()> firstFailure)
      : store_(store), firstFailure_(std::move(firstFailure)) {}

  int ReadInt(std::string_view section, std::string_view key, int defaultValue) const override {
    return store_.ReadInt(section, key, defaultValue);
  }
  std::string ReadText(std::string_view section, std::string_view key,
                       std::string_view defaultValue) const override {
    return store_.ReadText(section, key, defaultValue);
  }
  bool WriteText(std::string_view section, std::string_view key, std::string_view value) override {
    if (store_.WriteText(section, key, value)) return true;
    if (!told_ && firstFailure_) firstFailure_();
    told_ = true;
    return false;
  }

 private:
  SettingsStore& store_;
  std::function<void()> firstFailure_;
  bool told_ = false;
};

}  // namespace prtbench
