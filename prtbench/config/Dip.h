// The printers' software DIP switches: one byte of switch bits, sent in one
// frame and kept in Printer.ini as a signed decimal so a dialog reopens on the
// last choice.
#pragma once

#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "prtbench/base/Bytes.h"

namespace prtbench {

// The bit each two-button switch sets when its second button is chosen, in
// the dialogs' group order.
// P80: cutter, beep, 58 mm paper, Chinese mode, characters per line, cutter with drawer.
inline constexpr std::array<std::uint8_t, 6> kP80SwitchBits{0x01, 0x02, 0x04, 0x08, 0x10, 0x20};
// P58: cutter, cut mode, density, beeper, cutter with drawer.
inline constexpr std::array<std::uint8_t, 5> kP58SwitchBits{0x01, 0x04, 0x20, 0x40, 0x80};
// P76E: black mark, cutter, cut mode, one-way, double byte (off sets it), 58 mm paper.
inline constexpr std::array<std::uint8_t, 6> kP76ESwitchBits{0x01, 0x02, 0x04, 0x08, 0x10, 0x40};

// Sum of the bits of the switches whose index is 1; `indices` runs parallel to `bits`.
std::uint8_t SwitchBits(std::span<const std::uint8_t> bits, std::span<const int> indices);
// The index (0 or 1) each switch shows for the stored byte `b`.
std::vector<int> SwitchIndices(std::span<const std::uint8_t> bits, std::uint8_t b);

// P80 serial speed in bits 7-6, for an index of the list "9600", "19200",
// "38400", "115200": 0x40, 0x00, 0xC0, 0x80. The list always opens on 115200.
std::uint8_t P80SpeedBits(int baudIndex);
inline constexpr int kP80InitialBaudIndex = 3;

// P76E characters per line, group order "40/33CPL", "42/35CPL", "30/25CPL",
// "33/27CPL". Opening reads them from bits 0x40 (58 mm) and 0x80: 58 mm gives
// 30/25 with the bit and 33/27 without, 80 mm 40/33 with it and 42/35
// without. Set writes the bit so that a choice matching the paper width
// reopens as chosen; for a choice that does not match (an 80 mm count with
// 58 mm paper or the reverse) it writes the bit the printers have always been
// sent: set unless 40/33 is chosen with 58 mm, or 30/25 with 80 mm.
inline constexpr std::uint8_t kP76ECplBit = 0x80;
inline constexpr std::uint8_t kP76EPaper58Bit = 0x40;
int P76ECplIndex(std::uint8_t b);
std::uint8_t P76ECplBits(int cplIndex, bool paper58);

// The byte as Printer.ini keeps it: signed, so 0xC0 is -64.
int StoredSwitchValue(std::uint8_t b);
// The byte back from a stored integer (its low eight bits).
std::uint8_t SwitchByteOf(int stored);

// 1F 1B 1F BF b 00.
Bytes DipSwitchCommand(std::uint8_t b);

}  // namespace prtbench
