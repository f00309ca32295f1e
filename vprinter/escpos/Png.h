// Pages as PNG files: 1-bit greyscale, black where the printer put a dot.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"

namespace vprinter::escpos {

// The PNG of `page`, with `comment` as its text chunk ("Comment"; bytes
// outside printable ASCII become '?'). Empty when libpng fails.
std::vector<std::uint8_t> EncodePng(const Bitmap& page, const std::string& comment);

// Writes EncodePng to `path`; false when it cannot.
bool WritePng(const std::string& path, const Bitmap& page, const std::string& comment);

}  // namespace vprinter::escpos
