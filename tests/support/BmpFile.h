// Pictures for the image tests and benchmarks, written as the files a
// technician would pick: a decoded image as a 24-bit BMP.
#pragma once

#include <cstdint>
#include <string>

#include "prtbench/imaging/Image.h"

namespace testsupport {

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

}  // namespace testsupport
