// Byte sequences of the fixed test commands.
#include "prtbench/console/Commands.h"

namespace prtbench {

Bytes CutPaperCommand() { return {0x1D, 0x56, 0x42, 0x00, 0x0A, 0x0A, 0x00}; }

Bytes CashDrawerCommand() { return {0x1B, 0x70, 0x00, 0x1E, 0xFF, 0x00}; }

Bytes SelfTestCommand() { return {0x1F, 0x1B, 0x1F, 0x67}; }

}  // namespace prtbench
