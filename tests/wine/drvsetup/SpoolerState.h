// What the test reads back from the real spooler, and the folder of dummy
// driver files an installation copies from.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace testsupport {

struct PrinterState {
  std::string port;
  std::string driver;
  std::string processor;
  std::string dataType;
  bool operator==(const PrinterState&) const = default;
};

struct DriverState {
  std::string dataFile;  // file name only
  std::vector<std::string> dependentFiles;  // file names only
};

std::vector<std::string> SpoolerPrinterNames();
std::optional<PrinterState> Printer(const std::string& name);
std::optional<DriverState> Driver(const std::string& printerName, const std::string& environment);
std::string DefaultPrinter();
// Deletes every printer whose name begins with `prefix`, or the one `name`.
void DeletePrinters(const std::string& prefix);
void DeletePrinterNamed(const std::string& name);

// A fresh folder (the installer's driver root) holding `folder` with one
// small file "dummy <name>" for each name.
class DriverSourceFolder {
 public:
  DriverSourceFolder(const std::string& folder, const std::vector<std::string>& files);
  void Remove(const std::string& file);
  // Its Windows path, UTF-8.
  const std::string& root() const { return root_; }

 private:
  std::string root_;
  std::wstring folder_;
};

}  // namespace testsupport
