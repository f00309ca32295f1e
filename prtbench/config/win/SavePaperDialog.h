// The paper saving dialog: four functions, each applied on its own.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`; each group's apply button sends that
// group's choice. Nothing is stored.
void ShowSavePaperDialog(HWND owner, Context& context);

}  // namespace prtbench
