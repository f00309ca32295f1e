// The multiple logo download: up to six pictures stored as NV images 1 to n
// with one FS q.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`. Download sends through the send
// queue and shows its outcome in a plain message box.
void ShowMultiLogoDialog(HWND owner, Context& context);

}  // namespace prtbench
