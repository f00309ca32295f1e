// The maximised backdrop of the installer: runs the configuration dialog
// over itself and, after an installation the user wants to configure, opens
// the printer's properties and ends five seconds later.
#pragma once

#include <windows.h>

#include "drvsetup/win/Services.h"

namespace drvsetup {

// Runs the backdrop modally over `owner` (none: the desktop); returns when
// the program is to end.
void ShowSetupDialog(HWND owner, SetupServices& services);

// The title of the printer's properties window in the user's display
// language: "<name> Properties" (1033), "<name> 属性" (2052), else nothing.
std::wstring PropertiesWindowTitle(const std::string& printerName, unsigned language);

// The rundll32 parameters that open the printer's properties.
std::string PropertiesParameters(const std::string& printerName);

}  // namespace drvsetup
