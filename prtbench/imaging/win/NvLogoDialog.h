// The NV graphics dialog: a picture defined, printed and deleted by key code
// with GS 8 L and GS ( L.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`, starting on the logo dialog's
// picture (kStartLogoPath) with the key code 48 48. Define and Print refuse
// a kc1 outside 32..126 before anything is sent; the sends go through the
// send queue with their outcome in the dialog's status box.
void ShowNvLogoDialog(HWND owner, Context& context);

}  // namespace prtbench
