// The QR dialog: a preview drawn by EnCodeQr.dll, and the printer's own QR
// symbol printed from the text with GS ( k.
#pragma once

#include <windows.h>

#include "prtbench/app/win/Context.h"

namespace prtbench {

// Runs the dialog modally over `owner`. Every change of the text or the two
// lists writes the [QR] keys and temp.txt and asks EnCodeQr.dll (from the
// program's folder) for TempQr.bmp there, which the dialog then paints; when
// that cannot be done it says "can't create bitmap" and printing still works.
// Print posts the four GS ( k sends to the send queue.
void ShowQrDialog(HWND owner, Context& context);

}  // namespace prtbench
