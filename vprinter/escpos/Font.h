// Fixed-cell bitmap fonts read at run time from the system's font packages:
// console PSF fonts (versions 1 and 2, gzip-compressed or not) and GNU
// Unifont's .hex file. Glyphs are looked up by Unicode code point.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <unordered_map>
#include <vector>

#include "vprinter/escpos/Bitmap.h"

namespace vprinter::escpos {

class Font {
 public:
  // nullopt, with a message naming the file, when it cannot be read or is
  // not a PSF font.
  static std::optional<Font> LoadPsf(const std::string& path, std::string& error);
  // Unifont's "XXXX:hex" lines, 8x16 and 16x16 glyphs of the Basic
  // Multilingual Plane; nullopt with a message when unreadable.
  static std::optional<Font> LoadHex(const std::string& path, std::string& error);

  int width() const { return width_; }
  int height() const { return height_; }
  // The glyph of `c`, or nullptr when the font has none.
  const Bitmap* Glyph(char32_t c) const;

 private:
  bool ReadPsf1(const std::vector<std::uint8_t>& file);
  bool ReadPsf2(const std::vector<std::uint8_t>& file);
  void ReadGlyphs(const std::vector<std::uint8_t>& file, size_t offset, size_t count, size_t size);

  int width_ = 0;
  int height_ = 0;
  std::vector<Bitmap> glyphs_;
  std::unordered_map<char32_t, std::uint32_t> index_;
};

}  // namespace vprinter::escpos
