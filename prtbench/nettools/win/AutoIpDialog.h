// The Auto Set IP dialog: finds printers by UDP broadcast and broadcasts new
// address settings to the one selected.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"
#include "prtbench/nettools/DatagramSockets.h"

namespace prtbench {

// Runs the dialog modally over `owner` in the context's language, its
// search and Save on `sockets`, which must outlive the sends the dialog posted.
void ShowAutoIpDialog(HWND owner, Context& context, DatagramSockets& sockets);

}  // namespace prtbench
