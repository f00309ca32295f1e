// GS v 0: header and row raster in one buffer.
#include "prtbench/imaging/RasterPrint.h"

#include "prtbench/imaging/Raster.h"

namespace prtbench {

std::optional<Msg> RasterRefusalBeforeDecode(int position, bool hasPath) {
  if (position < 0) return Msg::RasterSelectWidth;
  if (!hasPath) return Msg::BitmapPleaseOpen;
  if (position >= static_cast<int>(kPrintWidths.size())) return Msg::RasterWidthWrong;
  return std::nullopt;
}

bool RasterWideEnough(int position, std::uint32_t width) {
  return width >= kPrintWidths.at(static_cast<size_t>(position)).dots;
}

Bytes RasterImageCommand(const DecodedImage& image) {
  const std::uint32_t x = RowBytes(image.width);
  const std::uint32_t y = image.height;
  Bytes command{0x1D, 0x76, 0x30, 0x00,
                static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(x >> 8),
                static_cast<std::uint8_t>(y), static_cast<std::uint8_t>(y >> 8)};
  const Bytes raster = PackRowRaster(image);
  command.insert(command.end(), raster.begin(), raster.end());
  return command;
}

}  // namespace prtbench
