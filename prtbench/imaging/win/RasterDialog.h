// The "1D 76 print" dialog: one picture printed as a GS v 0 raster image at
// the printer's print width.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`. Print refuses, in a box, when no
// print width is chosen, no picture is open, or the picture is narrower than
// the print width; otherwise the whole picture goes in one command through
// the send queue, the socket closed before and after.
void ShowRasterDialog(HWND owner, Context& context);

}  // namespace prtbench
