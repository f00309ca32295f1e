// The black mark dialog: detection on and off, the four distances, the test receipts.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"
#include "prtbench/config/BlackMark.h"

namespace prtbench {

// Runs the dialog modally over `owner` in `mode`, on the distances Printer.ini
// keeps under [SET]; each setting button stores its distance, then sends.
// Outcomes show in the main window's status line. `h` is the run's H, which
// the width, cut and print position buttons set and read.
void ShowBlackMarkDialog(HWND owner, Context& context, BlackMarkH& h, BlackMarkMode mode);

}  // namespace prtbench
