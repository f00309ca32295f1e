// The printer's character generator: font A in 12 x 24 cells, font B in
// 9 x 17 cells (8 x 16 glyphs), and double-byte characters in cells twice as
// wide (24 x 24 and 18 x 17). Glyphs come from the Terminus console fonts;
// what those lack (and every double-byte character) comes from GNU Unifont,
// scaled to the cell; what neither has prints as an empty box.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <unordered_map>

#include "vprinter/escpos/Bitmap.h"
#include "vprinter/escpos/Font.h"

namespace vprinter::escpos {

struct FontPaths {
  std::string consoleDir = "/usr/share/consolefonts";  // Debian package console-setup-linux
  std::string unifont = "/usr/share/unifont/unifont.hex";  // Debian package unifont
};

enum class Face { A, B };

class Typeface {
 public:
  // Reads fonts A and B from `paths.consoleDir`; nullptr with a message that
  // names the files and their package when neither candidate can be read.
  // Unifont is read on first need, and its absence only costs boxes.
  static std::unique_ptr<Typeface> Load(const FontPaths& paths, std::string& error);
  // A character generator without font files: every character is a box.
  static std::unique_ptr<Typeface> Boxes();

  static int CellWidth(Face face, bool wide);
  static int CellHeight(Face face);

  // The cell of `c` (a glyph at the cell's top left); `wide` for double-byte
  // characters. The reference stays valid until the next call.
  const Bitmap& Cell(Face face, char32_t c, bool wide);

 private:
  Bitmap Make(Face face, char32_t c, bool wide);
  const Font* Unifont();

  std::optional<Font> a_, b_, unifont_;
  std::string unifontPath_;
  bool unifontTried_ = false;
  std::unordered_map<std::uint64_t, Bitmap> cache_;
};

}  // namespace vprinter::escpos
