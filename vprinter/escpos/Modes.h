// The print modes that ESC @ resets: character style and size, alignment,
// spacing, character table, barcode and QR settings.
#pragma once

#include <cstdint>
#include <vector>

#include "vprinter/escpos/Line.h"
#include "vprinter/escpos/Symbols.h"
#include "vprinter/escpos/Typeface.h"

namespace vprinter::escpos {

constexpr int kDefaultLineSpacing = 30;  // dots, 3.75 mm
constexpr int kDotsPerInch = 203;

struct Modes {
  Face face = Face::A;
  bool bold = false;          // ESC E emphasis
  bool doubleStrike = false;  // ESC G
  int underline = 0;          // dots: 0, 1 or 2
  bool reverse = false;
  bool upsideDown = false;    // ESC {: whole lines turned half round
  bool rotated = false;       // ESC V: each character turned a quarter clockwise
  int widthMul = 1, heightMul = 1;
  // double-byte characters: FS ! and FS - (their own size and underline), FS S
  int kanjiUnderline = 0, kanjiWidthMul = 1, kanjiHeightMul = 1;
  int kanjiLeftSpacing = 0, kanjiRightSpacing = 0;
  int motionX = kDotsPerInch, motionY = kDotsPerInch;  // GS P: units of 1/motion inch
  Align align = Align::Left;
  int lineSpacing = kDefaultLineSpacing;
  int charSpacing = 0;  // dots after each character
  int leftMargin = 0, areaWidth = 0;  // dots; area 0: to the paper's edge
  std::vector<int> tabs = {8, 16, 24, 32, 40, 48, 56, 64};  // character columns
  int codePage = 0;
  int international = 0;  // ESC R
  bool kanji = false;
  int hri = 0;  // 0 none, 1 above, 2 below, 3 both
  Face hriFace = Face::A;
  int barWidth = 3, barHeight = 162;
  int qrModule = 3, qrLevel = 0;
  std::vector<std::uint8_t> qrData;
  Pdf417Shape pdf417;
  std::vector<std::uint8_t> pdf417Data;
};

}  // namespace vprinter::escpos
