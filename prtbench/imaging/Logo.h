// NV bit images with FS q (store) and FS p (print): the logo dialog's one
// image and the multiple download's up to six.
#pragma once

#include <cstdint>
#include <span>

#include "prtbench/base/Bytes.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

// xL xH yL yH and the column raster of one NV image: x = RoundUp8(W) / 8,
// y = RoundUp8(H) / 8 (units of 8 dots), each modulo 65536.
Bytes NvImageDefinition(const DecodedImage& image);

// 1C 71 01, NvImageDefinition(image), 00 00 00: the picture as NV image 1.
Bytes LogoDownloadCommand(const DecodedImage& image);

// 1C 71 01 01 00 01 00 and eight 00: NV image 1 overwritten by a blank 8 x 8.
Bytes LogoBlankCommand();

// 1C 71 n: starts a definition of `count` images; each follows as
// NvImageDefinition, numbered 1.. in the order sent.
Bytes MultiLogoHeader(std::uint8_t count);

// 1B 40 1B 61 01 1D 54 1C 70 n m' 1B 40 00 with m' = 30 + `sizeMode`
// (0 normal, 1 double width, 2 double height, 3 both; 0..3 only) for NV
// image n (the logo dialog's is 1; the multiple download stores 1 to n).
Bytes LogoPrintCommand(int sizeMode, std::uint8_t image = 1);

// After a print command: six line feeds and 00; then, with the cut box, the
// partial cut 1D 56 01 and 00 0A 0A 00.
std::span<const std::uint8_t> PrintFeedTail();
std::span<const std::uint8_t> PrintCutTail();

// True for the size modes the print commands know (0..3).
constexpr bool IsSizeMode(int mode) { return mode >= 0 && mode <= 3; }

}  // namespace prtbench
