// The benchmarks' picture: a 576 x 4000 receipt-like pattern (text-like
// strokes, grey shades near the threshold, coloured marks) as colours, and
// as a 24-bit BMP file.
#pragma once

#include <cstdint>
#include <string>

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

// `image` as a bottom-up 24-bit BMP file.
inline std::string BmpFile(const prtbench::DecodedImage& image) {
  const std::uint32_t stride = (image.width * 3 + 3) / 4 * 4, size = stride * image.height;
  std::string file(54 + static_cast<size_t>(size), '\0');
  auto put = [&file](size_t at, std::uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) file[at + i] = static_cast<char>(value >> (8 * i));
  };
  file[0] = 'B';
  file[1] = 'M';
  put(2, 54 + size, 4);
  put(10, 54, 4);
  put(14, 40, 4);
  put(18, image.width, 4);
  put(22, image.height, 4);
  put(26, 1, 2);
  put(28, 24, 2);
  put(34, size, 4);
  for (std::uint32_t y = 0; y < image.height; ++y) {
    char* row = file.data() + 54 + static_cast<size_t>(image.height - 1 - y) * stride;
    for (std::uint32_t x = 0; x < image.width; ++x) {
      const prtbench::Colour c = image.At(x, y);
      row[3 * x] = static_cast<char>(c >> 16);
      row[3 * x + 1] = static_cast<char>(c >> 8);
      row[3 * x + 2] = static_cast<char>(c);
    }
  }
  return file;
}

}  // namespace bench
