// The fixed printer commands of the main window's test buttons.
#pragma once

#include "prtbench/console/Hex.h"

namespace prtbench {

// GS V 66 0: feed and cut, two line feeds and a zero byte: 1D 56 42 00 0A 0A 00.
Bytes CutPaperCommand();

// ESC p 0 30 255: a drawer pulse on pin 2 (60 ms on, 510 ms off) and a zero
// byte: 1B 70 00 1E FF 00.
Bytes CashDrawerCommand();

// The printer's self test page: 1F 1B 1F 67.
Bytes SelfTestCommand();

}  // namespace prtbench
