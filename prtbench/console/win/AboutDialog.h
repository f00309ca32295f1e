// The About box "About Printer", from the system menu and the Help menu.
#pragma once

#include <windows.h>

namespace prtbench {

// Runs the About box modally over `owner` until OK or close.
void ShowAboutDialog(HWND owner);

}  // namespace prtbench
