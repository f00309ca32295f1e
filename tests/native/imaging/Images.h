// Pictures for the imaging tests, drawn from a rule per pixel.
#pragma once

#include <cstdint>
#include <functional>

#include "prtbench/imaging/Image.h"

namespace imagingtest {

constexpr prtbench::Colour kWhite = prtbench::MakeColour(255, 255, 255);
constexpr prtbench::Colour kBlack = prtbench::MakeColour(0, 0, 0);

// A width x height picture whose pixel (x, y) is black where `black` says so.
inline prtbench::DecodedImage Draw(std::uint32_t width, std::uint32_t height,
                                   const std::function<bool(std::uint32_t, std::uint32_t)>& black) {
  prtbench::DecodedImage image{width, height, {}};
  image.pixels.reserve(static_cast<size_t>(width) * height);
  for (std::uint32_t y = 0; y < height; ++y) {
    for (std::uint32_t x = 0; x < width; ++x) image.pixels.push_back(black(x, y) ? kBlack : kWhite);
  }
  return image;
}

inline prtbench::DecodedImage AllBlack(std::uint32_t width, std::uint32_t height) {
  return Draw(width, height, [](auto, auto) { return true; });
}

}  // namespace imagingtest
