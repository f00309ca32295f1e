// The Bluetooth dialog: the module's name, PIN and a free AT command.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`, on the name and PIN Printer.ini keeps
// under [SET] (read, never written); Set sends the parts whose boxes are
// ticked, in the system ANSI code page, in one frame of any length.
void ShowBluetoothDialog(HWND owner, Context& context);

}  // namespace prtbench
