// The logo dialog: one picture stored as NV image 1 (FS q), printed from the
// printer (FS p) and blanked again.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// The picture every opening starts with, in the program's folder (never the
// current one: a picture found there would be what "Carregar Logotipo" sends).
inline constexpr char kStartLogoPath[] = "myTitle\\bitmap11.bmp";

// Runs the dialog modally over `owner`, starting on kStartLogoPath. Its
// sends go through the send queue, each button disabled until its send is
// done, their outcome shown in the dialog's status box.
void ShowLogoDialog(HWND owner, Context& context);

}  // namespace prtbench
