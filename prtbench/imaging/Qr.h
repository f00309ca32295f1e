// The QR dialog's portable part: its lists, the four print sends, the
// preview library's call conventions and the [QR] keys.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "prtbench/base/Bytes.h"
#include "prtbench/link/PrinterIni.h"

namespace prtbench {

// The error correction list, in list order; the dialog opens on "7%".
inline constexpr std::array<const char*, 4> kQrEccEntries{"7%", "15%", "25%", "30%"};
inline constexpr int kQrEccOpening = 0;
// The scale list holds "1" to "16"; the dialog opens on "7".
inline constexpr int kQrScaleEntries = 16;
inline constexpr int kQrScaleOpening = 6;

namespace ini {
// Written by every Generate, then read back (at most 4 and 15 characters).
inline constexpr TextKey kQrEccLevel{"QR", "ECCLevel", "25%", 5};
inline constexpr TextKey kQrScale{"QR", "Scale", "2", 16};
}  // namespace ini

// The four sends of Print QR for `text` (bytes of the ANSI code page) with
// the list positions `scalePosition` and `eccPosition`:
//   1B 40 0A 1D 28 6B 30 67 s      s = (scalePosition + 1) mod 256
//   1D 28 6B 30 69 e               e = 48, 49, 50, 51 (hex) for 0..3, else 48
//   1D 28 6B 30 80 nL nH text 00   n = length + 1 (the 00 counts), mod 65536
//   1D 28 6B 30 81 1B 4A C8        or, with `cut`, 1D 28 6B 30 81 1B 4A FA 1D 56 01
std::array<Bytes, 4> QrPrintSends(std::string_view text, int scalePosition, int eccPosition, bool cut);

// The preview library's result as the dialog judges it: printed with "%s"
// (a null pointer prints "(null)") it must compare greater than "(null)".
bool QrResultSucceeded(const char* result);

// `path` with every backslash doubled, as the library's SetQrConFile takes it.
std::string DoubleBackslashes(std::string_view path);

}  // namespace prtbench
