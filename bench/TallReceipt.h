// The benchmarks' picture: a 576 x 4000 receipt-like pattern (text-like
// strokes, grey shades near the threshold, coloured marks) as colours.
#pragma once

#include <cstdint>

#include "prtbench/imaging/Image.h"

namespace bench {

inline constexpr std::uint32_t kWidth = 576, kHeight = 4000;

inline prtbench::DecodedImage TallReceipt() {
  prtbench::DecodedImage image{kWidth, kHeight, {}};
  image.pixels.reserve(static_cast<size_t>(kWidth) * kHeight);
  for (std::uint32_t y = 0; y < kHeight; ++y) {
    for (std::uint32_t x = 0; x < kWidth; ++x) {
      const std::uint8_t grey = static_cast<std::uint8_t>(100 + (x * 7 + y * 13) % 50);  // 100..149
      const bool stroke = (y % 24) < 14 && (x / 6 + y / 3) % 5 < 2;
      image.pixels.push_back(stroke ? prtbench::MakeColour(static_cast<std::uint8_t>(x), 0, static_cast<std::uint8_t>(y))
                                    : prtbench::MakeColour(grey, grey, grey));
    }
  }
  return image;
}

}  // namespace bench
