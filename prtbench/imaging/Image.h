// A picture as the print-time decoder gives it: one colour per pixel, built
// only while one command is being built.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

namespace prtbench {

// A colour as one number: V = R + 256 G + 65536 B (red in the low byte).
using Colour = std::uint32_t;

constexpr Colour MakeColour(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return r | (static_cast<Colour>(g) << 8) | (static_cast<Colour>(b) << 16);
}

struct DecodedImage {
  std::uint32_t width = 0;
  std::uint32_t height = 0;
  // width x height colours, rows from the top, each row left to right.
  std::vector<Colour> pixels;

  Colour At(std::uint32_t x, std::uint32_t y) const { return pixels[static_cast<std::size_t>(y) * width + x]; }
};

}  // namespace prtbench
