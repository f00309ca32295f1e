// The status monitor's protocol on TCP port 4000 and its ten lamps: the
// status request, the status word a reply makes, and which lamp shows which
// colour for a word.
#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "prtbench/base/Bytes.h"

namespace prtbench {

inline constexpr std::size_t kStatusReplyBuffer = 20;  // at most this much is read per poll
inline constexpr std::size_t kStatusWordBytes = 4;     // R0 R1 R2 R3

// 1B 76 00.
Bytes StatusRequest();

// R0 R1 R2 R3, the reply's first four bytes (missing ones count as 0), as
// R0 x 2^24 + R1 x 2^16 + R2 x 2^8 + R3. Further bytes are ignored.
std::uint32_t ComposeStatusWord(std::span<const std::uint8_t> reply);

// The printer's conditions in a status word: paper out (either of
// 0x00000C00), cover open (0x20000000), drawer open (0x04000000 clear: the bit
// says closed), offline (0x08000000).
struct StatusConditions {
  bool paperOut = false;
  bool coverOpen = false;
  bool drawerOpen = false;
  bool offline = false;
  bool operator==(const StatusConditions&) const = default;
};
StatusConditions DecodeStatusWord(std::uint32_t word);

// The word to keep after a reply gave `received`: a 0 word never replaces
// the stored one, so the lamps keep showing the last conditions.
std::uint32_t NextStoredWord(std::uint32_t stored, std::uint32_t received);

// A lamp's picture; the values are the pictures' indexes.
enum class LampColour { Red = 0, Green = 1, Black = 2 };

inline constexpr int kLampCount = 10;
// Lamps top to bottom: recoverable error, fatal error, busy, paper near end,
// drawer, feed, cut, cover, no paper, online.
using Lamps = std::array<LampColour, kLampCount>;
inline constexpr int kDrawerLamp = 4;
inline constexpr int kOnlineLamp = 9;

Lamps AllLamps(LampColour colour);

// Paints the conditions of `word` over `lamps`: red for recoverable error
// (0x00400000), fatal error (0x00200000), feed (0x40000000), cover
// (0x20000000), no paper (either of 0x00000C00); green for the drawer when
// 0x04000000 is set; red for online when 0x08000000 is set. Lamps whose
// bits are clear stay as they are; busy, paper near end and cut have none.
void ApplyStoredStatus(Lamps& lamps, std::uint32_t word);

// After a reply: all green, the drawer red, then the stored word applied.
Lamps PolledLamps(std::uint32_t storedWord);

}  // namespace prtbench
