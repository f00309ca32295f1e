// The serial line and time-outs in the form the Win32 comm functions take.
#pragma once

#include <windows.h>

#include "prtbench/link/LinkDevices.h"

namespace prtbench {

// A control block built from zero: baud, byte size, parity and stop bits from
// `line`, DTR on, CTS output flow as `line` says, every other flag off.
// XON/XOFF flow stays off, but its characters are the usual 0x11 and 0x13:
// SetCommState refuses a block whose XON and XOFF characters are equal.
DCB MakeDcb(const LineSettings& line);

// A change of the main window applied to the port's current block.
void ApplyLineChange(const LineChange& change, DCB& dcb);

COMMTIMEOUTS MakeCommTimeouts(const CommTimeouts& timeouts);

}  // namespace prtbench
