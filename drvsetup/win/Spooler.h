// The print spooler calls the installer makes, behind one interface so that
// dialog tests can stand in for it; WinSpooler is the system's spooler.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace drvsetup {

// What registers a driver (driver information level 3). Texts are UTF-8;
// dependentFiles is the zero-separated list of DependentFiles.
struct DriverInfo {
  std::string name;
  std::string environment;
  std::string driverPath;
  std::string dataFile;
  std::string configFile;
  std::string helpFile;
  std::string dependentFiles;
  std::string defaultDataType;
};

class Spooler {
 public:
  virtual ~Spooler() = default;
  // The local driver directory of `environment`; nullopt when the spooler has none.
  virtual std::optional<std::string> DriverDirectory(std::string_view environment) = 0;
  // Registers the driver; ERROR_SUCCESS or the system's error code.
  virtual DWORD AddDriver(const DriverInfo& info) = 0;
  // Names of the local and connected printers; nullopt when they cannot be listed.
  virtual std::optional<std::vector<std::string>> PrinterNames() = 0;
  // Creates the local printer `name` with WinPrint and RAW data on `port`;
  // ERROR_SUCCESS or the system's error code.
  virtual DWORD CreatePrinter(std::string_view name, std::string_view port, std::string_view driver) = 0;
  virtual bool MakeDefault(std::string_view name) = 0;
};

class WinSpooler : public Spooler {
 public:
  std::optional<std::string> DriverDirectory(std::string_view environment) override;
  DWORD AddDriver(const DriverInfo& info) override;
  std::optional<std::vector<std::string>> PrinterNames() override;
  DWORD CreatePrinter(std::string_view name, std::string_view port, std::string_view driver) override;
  bool MakeDefault(std::string_view name) override;
};

// The system's text for an error code, UTF-8, without the trailing line end.
std::string SystemErrorText(DWORD error);

}  // namespace drvsetup
