// The advanced settings dialog: one-shot configuration commands and the door
// to the other configuration dialogs.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"
#include "prtbench/config/BlackMark.h"

namespace prtbench {

// Runs the dialog modally over `owner`. Opening it switches the program's
// language to English, after its own initialisation, until the main window's
// language command changes it again. Nothing is kept between openings except
// the code page key of Printer.ini; the black mark dialogs it opens share `h`.
void ShowAdvancedDialog(HWND owner, Context& context, BlackMarkH& h);

}  // namespace prtbench
