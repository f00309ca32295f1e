// The Net Settings dialog: the printer's address, mask and gateway, its Wi-Fi
// module, and AT commands passed through to it.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner` in the context's language. Each button
// sends its frame through the send queue (the main window's status line
// shows how it went); the buttons that send several values also store them
// in [NET].
void ShowNetSettingDialog(HWND owner, Context& context);

}  // namespace prtbench
