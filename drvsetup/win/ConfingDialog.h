// The configuration dialog: the Windows version, the printer series, the
// interface and the default-printer choice, and the Install action.
#pragma once

#include <windows.h>

#include <string>

#include "drvsetup/win/Services.h"

namespace drvsetup {

struct ConfingOutcome {
  INT_PTR result;           // IDOK: open the printer's properties
  std::string printerName;  // the printer to open them for
};

// Runs the dialog modally over `owner`.
ConfingOutcome ShowConfingDialog(HWND owner, SetupServices& services);

}  // namespace drvsetup
