// Installs the driver of a printer series and creates a printer for it:
// stages the driver files, registers the driver and a uniquely named printer,
// optionally makes it the default printer, and removes the staged files.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "common/Pause.h"
#include "drvsetup/win/Spooler.h"
#include "winui/Prompts.h"

namespace drvsetup {

class PrinterInstaller {
 public:
  // `architecture` is DetectWindows' name of the native architecture;
  // `language` the user's display language (2052 picks the Chinese texts);
  // `driverRoot` the folder that holds the architecture folders; `clock`
  // gives the spooler time to settle after each change.
  PrinterInstaller(Spooler& spooler, winui::Prompts& prompts, kit::Clock& clock, std::string architecture,
                   unsigned language, std::string driverRoot);

  // Copies the row's files from the architecture's folder in the driver root, registers the driver and creates the printer on `port`; true
  // when the printer exists. Failures show their message (owned by `owner`)
  // first. With `setDefault` the new printer, by its final name, becomes the
  // default printer; when it cannot, that is shown and the result stays true.
  bool InstallPrinter(HWND owner, int windowsChoice, int row, bool setDefault, std::string_view port);

  // The series name, or after InstallPrinter the name the printer got.
  const std::string& finalPrinterName() const { return finalName_; }

 private:
  bool RegisterDriverAndPrinter(HWND owner, int windowsChoice, int row, std::string_view port);
  bool StageFiles(const std::string& directory, int row);
  void RemoveStagedFiles(const std::string& directory, int row);

  Spooler& spooler_;
  winui::Prompts& prompts_;
  kit::Clock& clock_;
  std::string architecture_;
  std::string driverRoot_;
  unsigned language_;
  bool chinese_;
  std::string finalName_;
};

}  // namespace drvsetup
