// Status word and lamp rules.
#include "prtbench/nettools/Status.h"

#include "common/ByteReader.h"

namespace prtbench {
namespace {

struct RedBit {
  int lamp;
  std::uint32_t bits;
};
// in the order they are drawn; the drawer and online lamps follow
constexpr std::uint32_t kPaperOutBits = 0x00000C00u;
constexpr std::uint32_t kCoverOpenBit = 0x20000000u;
constexpr RedBit kRedBits[] = {
    {8, kPaperOutBits}, {0, 0x00400000u}, {1, 0x00200000u}, {5, 0x40000000u}, {7, kCoverOpenBit},
};
constexpr std::uint32_t kDrawerClosedBit = 0x04000000u;
constexpr std::uint32_t kOfflineBit = 0x08000000u;

}  // namespace

Bytes StatusRequest() { return {0x1B, 0x76, 0x00}; }

std::uint32_t ComposeStatusWord(std::span<const std::uint8_t> reply) {
  // byte by byte: a short reply fails the reader at its end, and every byte
  // from there reads as 0
  kit::ByteReader reader(reply);
  std::uint32_t word = 0;
  for (int i = 0; i < 4; ++i) word = (word << 8) | reader.U8();
  return word;
}

StatusConditions DecodeStatusWord(std::uint32_t word) {
  return {(word & kPaperOutBits) != 0, (word & kCoverOpenBit) != 0, (word & kDrawerClosedBit) == 0,
          (word & kOfflineBit) != 0};
}

std::uint32_t NextStoredWord(std::uint32_t stored, std::uint32_t received) { return received == 0 ? stored : received; }

Lamps AllLamps(LampColour colour) {
  Lamps lamps;
  lamps.fill(colour);
  return lamps;
}

void ApplyStoredStatus(Lamps& lamps, std::uint32_t word) {
  for (const RedBit& red : kRedBits) {
    if (word & red.bits) lamps[red.lamp] = LampColour::Red;
  }
  if (word & kDrawerClosedBit) lamps[kDrawerLamp] = LampColour::Green;
  if (word & kOfflineBit) lamps[kOnlineLamp] = LampColour::Red;
}

Lamps PolledLamps(std::uint32_t storedWord) {
  Lamps lamps = AllLamps(LampColour::Green);
  lamps[kDrawerLamp] = LampColour::Red;
  ApplyStoredStatus(lamps, storedWord);
  return lamps;
}

}  // namespace prtbench
