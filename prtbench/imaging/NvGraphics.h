// NV graphics by key code: GS 8 L to define (row raster), GS ( L to print,
// delete one and delete all.
#pragma once

#include <cstdint>

#include "prtbench/base/Bytes.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

// The key code kc1 must be a printable ASCII byte: 32..126. kc2 is not checked.
constexpr bool IsNvKeyCode(unsigned kc1) { return kc1 >= 32 && kc1 <= 126; }

// GS 8 L function 67: 1D 38 4C p1..p4 30 43 30 kc1 kc2 01 xL xH yL yH 31 and
// the row raster, with P = 11 + K little-endian (K = H x RoundUp8(W) / 8), x
// = RoundUp8(W) dots and y = H dots, each modulo 65536. Only the low byte of
// each key code is sent.
Bytes NvDefineCommand(const DecodedImage& image, unsigned kc1, unsigned kc2);

// ESC @, ESC a 1, 1D 54, then GS ( L function 69 printing kc1 kc2 at the
// scale of `sizeMode` (0: 1 1, 1: 2 1, 2: 1 2, 3: 2 2). `sizeMode` 0..3.
Bytes NvPrintCommand(int sizeMode, unsigned kc1, unsigned kc2);

// GS ( L function 66: 1D 28 4C 04 00 30 42 kc1 kc2.
Bytes NvDeleteCommand(unsigned kc1, unsigned kc2);

// GS ( L function 65: 1D 28 4C 05 00 30 41 "CLR".
Bytes NvDeleteAllCommand();

}  // namespace prtbench
