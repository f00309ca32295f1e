// The Com Settings dialog: serial values, connect time-out and monitor IP.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"
#include "prtbench/link/Ipv4.h"

namespace prtbench {

// Closes the COM link and the socket through the send queue, so new values
// apply at the next open, then runs the dialog modally over `owner` on the
// serial values, time-out and monitor IP of the link's settings; OK stores the
// choice back, Cancel does not. The "Default IP" box changes the default-IP
// switch at once, so that change stays even when the dialog is cancelled;
// ticking it shows `defaultIp` (the main window's Printer IP) as the monitor
// IP. True when the user pressed OK.
bool ShowComSetDialog(HWND owner, Context& context, Ipv4 defaultIp);

}  // namespace prtbench
