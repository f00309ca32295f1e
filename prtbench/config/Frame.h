// The configuration command frame every configuration dialog sends: the
// prefix 1F 1B 1F, a command byte and its parameters, with no length,
// checksum or terminator of its own.
#pragma once

#include <cstdint>
#include <initializer_list>

#include "prtbench/base/Bytes.h"

namespace prtbench {

inline Bytes ConfigFrame(std::uint8_t command, std::initializer_list<std::uint8_t> parameters) {
  Bytes frame;
  frame.reserve(4 + parameters.size());
  frame.insert(frame.end(), {0x1F, 0x1B, 0x1F, command});
  frame.insert(frame.end(), parameters);
  return frame;
}

}  // namespace prtbench
