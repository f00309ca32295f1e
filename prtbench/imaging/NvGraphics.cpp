// GS 8 L and GS ( L byte layouts.
#include "prtbench/imaging/NvGraphics.h"

#include <iterator>

#include "prtbench/imaging/Raster.h"

namespace prtbench {
namespace {

std::uint8_t Low(unsigned value) { return static_cast<std::uint8_t>(value); }

}  // namespace

Bytes NvDefineCommand(const DecodedImage& image, unsigned kc1, unsigned kc2) {
  const Bytes raster = PackRowRaster(image);
  const std::uint32_t width = RoundUp8(image.width);
  const std::uint32_t count = 11 + static_cast<std::uint32_t>(raster.size());
  const std::uint8_t header[] = {0x1D, 0x38, 0x4C,
                                 Low(count), Low(count >> 8), Low(count >> 16), Low(count >> 24),
                                 0x30, 0x43, 0x30, Low(kc1), Low(kc2), 0x01,
                                 Low(width), Low(width >> 8), Low(image.height), Low(image.height >> 8),
                                 0x31};
  Bytes command;
  command.reserve(sizeof header + raster.size());
  command.assign(std::begin(header), std::end(header));
  command.insert(command.end(), raster.begin(), raster.end());
  return command;
}

Bytes NvPrintCommand(int sizeMode, unsigned kc1, unsigned kc2) {
  const std::uint8_t x = (sizeMode & 1) ? 2 : 1;
  const std::uint8_t y = (sizeMode & 2) ? 2 : 1;
  return {0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x54,
          0x1D, 0x28, 0x4C, 0x06, 0x00, 0x30, 0x45, Low(kc1), Low(kc2), x, y};
}

Bytes NvDeleteCommand(unsigned kc1, unsigned kc2) {
  return {0x1D, 0x28, 0x4C, 0x04, 0x00, 0x30, 0x42, Low(kc1), Low(kc2)};
}

Bytes NvDeleteAllCommand() { return {0x1D, 0x28, 0x4C, 0x05, 0x00, 0x30, 0x41, 'C', 'L', 'R'}; }

}  // namespace prtbench
