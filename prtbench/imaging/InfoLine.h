// The bitmap info line shown after a preview loads: path, width, height and
// a size figure.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "prtbench/base/Language.h"

namespace prtbench {

// Which size piece ends the line: the raster and NV graphics dialogs name the
// 32K figure, the logo dialog does not. The figure limits nothing.
enum class InfoSizeText { WithLimit, Plain };

// The size figure: W x (trunc(H / 8) + 1), one byte row more than the data
// needs when H is a multiple of 8 (H = 16 gives 3 x W). Shown as a signed
// 32-bit number, as the line always did.
std::int32_t InfoLineSize(std::uint32_t width, std::uint32_t height);

// "BMP: <path>  Width：W  Height：H  Size(bytes)：S..." in `language`
// (UTF-8; `path` UTF-8), pieces joined without separators.
std::string BitmapInfoLine(std::string_view path, std::uint32_t width, std::uint32_t height, InfoSizeText size,
                           Language language);

}  // namespace prtbench
