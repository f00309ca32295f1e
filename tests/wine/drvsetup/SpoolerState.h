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

// A fresh current directory holding `folder` with one small file for each
// name; the previous current directory comes back on destruction.
class DriverSourceFolder {
 public:
  DriverSourceFolder(const std::string& folder, const std::vector<std::string>& files);
  ~DriverSourceFolder();
  void Remove(const std::string& file);

 private:
  std::wstring previous_;
  std::wstring folder_;
};

}  // namespace testsupport
