// The status monitor: a modeless window of ten lamps and one monitor thread
// for the whole program, which outlives the window that started it.
#pragma once

#include <windows.h>

#include <string>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Shows the monitor window, owned by the desktop so it stays up beside a busy
// main window, or brings the one already open to the front (one window shows
// the one monitor); returns it. The lamps come from "Bmp_Led\Red.bmp", "Green.bmp"
// and "Black.bmp" in `pictureFolder` (the program's folder + "\Bmp_Led" when
// empty); a picture that cannot be loaded is drawn as a plain lamp colour.
HWND ShowNetMonitorDialog(HWND owner, Context& context, const std::wstring& pictureFolder = {});

// The main window's shutdown: clears the running flag, closes the monitor's
// connection, waits for its thread and closes the monitor window. Nothing of
// the monitor is left running afterwards.
void ShutDownNetMonitor();

}  // namespace prtbench
