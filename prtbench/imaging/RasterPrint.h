// GS v 0 raster printing: the print width list and the one command that
// carries a whole picture.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "prtbench/base/Bytes.h"
#include "prtbench/base/Messages.h"
#include "prtbench/imaging/Image.h"

namespace prtbench {

struct PrintWidth {
  const char* listText;
  std::uint32_t dots;
};

// The width list's entries in list order (the list sorts them this way too).
inline constexpr std::array<PrintWidth, 4> kPrintWidths{{
    {"58(48mm/384dot)", 384},
    {"80(64mm/512dot)", 512},
    {"80(72mm/576dot)", 576},
    {"80(80mm/640dot)", 640},
}};

// Why a print with width list position `position` (-1: none selected) is
// refused before the picture is read, checked in this order: no width, no
// picture, a position past the table. nullopt when it may go on.
std::optional<Msg> RasterRefusalBeforeDecode(int position, bool hasPath);

// True when a picture `width` dots wide may print at `position` (0..3): it
// must be at least as wide as the print width; wider ones go out whole.
bool RasterWideEnough(int position, std::uint32_t width);

// 1D 76 30 00 xL xH yL yH and the row raster: x = RowBytes(W), y = H, each
// as two bytes modulo 65536. One command for the whole picture, no bands.
Bytes RasterImageCommand(const DecodedImage& image);

}  // namespace prtbench
