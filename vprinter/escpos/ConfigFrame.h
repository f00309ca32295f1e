// The printer's side of the 1F 1B 1F configuration frames (and the 1F 1B 02
// serial number frame): each frame changes the settings and says so in a
// note. The frames carry no length, so each command's parameters are known
// by their command byte; texts end where the command's terminator says.
#pragma once

#include <cstdint>
#include <span>
#include <string>

#include "vprinter/escpos/Settings.h"

namespace vprinter::escpos {

// No frame (its texts included) is longer than this; one that has not ended
// by then is dropped after its command byte.
constexpr size_t kMaxFrame = 1100;

struct FrameResult {
  size_t used = 0;        // bytes taken from the front; 0: the frame is not complete yet
  std::string note;       // what changed, or why nothing did
  bool selfTest = false;  // the frame asks for a self-test print
};

// True when `in` starts with 1F 1B 1F or 1F 1B 02 (as far as it goes).
bool StartsFrame(std::span<const std::uint8_t> in);

// Takes the frame at the front of `in` (StartsFrame holds) into `settings`.
FrameResult TakeFrame(std::span<const std::uint8_t> in, Settings& settings);

}  // namespace vprinter::escpos
