// Switch bytes of the DIP switch dialogs, and their storage.
#include "prtbench/config/Dip.h"

#include "prtbench/config/Frame.h"

namespace prtbench {
namespace {

constexpr std::uint8_t kDipSwitches = 0xBF;
constexpr std::array<std::uint8_t, 4> kP80Speeds{0x40, 0x00, 0xC0, 0x80};

enum CplChoice { kCpl40 = 0, kCpl42 = 1, kCpl30 = 2, kCpl33 = 3 };

}  // namespace

std::uint8_t SwitchBits(std::span<const std::uint8_t> bits, std::span<const int> indices) {
  std::uint8_t b = 0;
  for (size_t i = 0; i < bits.size() && i < indices.size(); ++i) {
    if (indices[i] == 1) b |= bits[i];
  }
  return b;
}

std::vector<int> SwitchIndices(std::span<const std::uint8_t> bits, std::uint8_t b) {
  std::vector<int> indices;
  for (std::uint8_t bit : bits) indices.push_back((b & bit) ? 1 : 0);
  return indices;
}

std::uint8_t P80SpeedBits(int baudIndex) {
  if (baudIndex < 0 || baudIndex >= static_cast<int>(kP80Speeds.size())) return 0;
  return kP80Speeds[static_cast<size_t>(baudIndex)];
}

int P76ECplIndex(std::uint8_t b) {
  const bool paper58 = b & kP76EPaper58Bit;
  const bool bit = b & kP76ECplBit;
  if (paper58) return bit ? kCpl30 : kCpl33;
  return bit ? kCpl40 : kCpl42;
}

std::uint8_t P76ECplBits(int cplIndex, bool paper58) {
  if (paper58) return cplIndex == kCpl33 || cplIndex == kCpl40 ? 0 : kP76ECplBit;
  return cplIndex == kCpl42 || cplIndex == kCpl30 ? 0 : kP76ECplBit;
}

int StoredSwitchValue(std::uint8_t b) { return static_cast<std::int8_t>(b); }

std::uint8_t SwitchByteOf(int stored) { return static_cast<std::uint8_t>(stored & 0xFF); }

Bytes DipSwitchCommand(std::uint8_t b) { return ConfigFrame(kDipSwitches, {b, 0x00}); }

}  // namespace prtbench
