// The barcode sample bytes in one buffer.
#include "prtbench/imaging/Barcodes.h"

#include <cstdint>

namespace prtbench {

Bytes BarcodeSampleCommands(int type, int heightPosition) {
  if (type < 0 || type >= static_cast<int>(kBarcodeSamples.size())) return {};
  const BarcodeSample& sample = kBarcodeSamples[static_cast<size_t>(type)];
  return BarcodeCommands(type, static_cast<std::uint8_t>(heightPosition), sample.data, sample.caption);
}

Bytes BarcodeCommands(int type, std::uint8_t height, std::string_view data, std::string_view caption) {
  if (type < 0 || type >= static_cast<int>(kBarcodeSamples.size()) || data.size() > 255) return {};
  const BarcodeSample& sample = kBarcodeSamples[static_cast<size_t>(type)];
  Bytes bytes{0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x48, 0x00,
              0x1D, 0x77, static_cast<std::uint8_t>(sample.moduleWidth),
              0x1D, 0x68, height,
              0x1D, 0x6B, static_cast<std::uint8_t>(0x41 + type), static_cast<std::uint8_t>(data.size())};
  bytes.insert(bytes.end(), data.begin(), data.end());
  bytes.insert(bytes.end(), caption.begin(), caption.end());
  bytes.insert(bytes.end(), {0x0A, 0x0A, 0x1B, 0x40, 0x00});
  return bytes;
}

}  // namespace prtbench
