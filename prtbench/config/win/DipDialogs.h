// The software DIP switch dialogs of the P80, P58 and P76E printers.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Each runs modally over `owner`, opens on the switch byte Printer.ini keeps
// under [SET] (P80SW, P58SW, P76ESW), and on Set stores the byte the switches
// show, then sends 1F 1B 1F BF b 00.
void ShowP80DipDialog(HWND owner, Context& context);
void ShowP58DipDialog(HWND owner, Context& context);
void ShowP76EDipDialog(HWND owner, Context& context);

}  // namespace prtbench
