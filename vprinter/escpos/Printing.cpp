// What the commands do to the line and the paper.
#include <algorithm>

#include "vprinter/escpos/CodePage.h"
#include "vprinter/escpos/Interpreter.h"

namespace vprinter::escpos {
namespace {

// A glyph cell in the print modes: emphasis and double-strike (struck twice,
// one dot to the right), underline (the alphanumeric or the double-byte
// one), spacing, scaling, reverse, a quarter turn.
Bitmap Styled(const Bitmap& glyph, const Modes& modes, bool wide) {
  const int underline = wide ? modes.kanjiUnderline : modes.underline;
  const int left = wide ? modes.kanjiLeftSpacing : 0;
  const int right = wide ? modes.kanjiRightSpacing : modes.charSpacing;
  const int wx = wide ? modes.kanjiWidthMul : modes.widthMul, hx = wide ? modes.kanjiHeightMul : modes.heightMul;
  const bool bold = modes.bold || modes.doubleStrike;
  if (!bold && !underline && !left && !right && !modes.reverse && !modes.rotated && wx == 1 && hx == 1) return glyph;
  Bitmap cell(left + glyph.width + right, glyph.height);
  Blit(cell, glyph, left, 0);
  if (bold) Blit(cell, glyph, left + 1, 0);
  for (int row = cell.height - underline; row < cell.height; ++row) {
    for (int x = 0; x < cell.width; ++x) cell.Set(x, row);
  }
  if (modes.rotated) cell = Rotated90(cell);
  if (wx > 1 || hx > 1) {
    Bitmap scaled(cell.width * wx, cell.height * hx);
    Blit(scaled, cell, 0, 0, wx, hx);
    cell = std::move(scaled);
  }
  return modes.reverse ? Inverted(cell) : cell;
}

}  // namespace

int Interpreter::Left() const { return modes_.leftMargin; }

int Interpreter::Area() {
  const int rest = std::max(0, paper_.width() - modes_.leftMargin);
  return modes_.areaWidth > 0 ? std::min(modes_.areaWidth, rest) : rest;
}

int Interpreter::AlignedX(int width) {
  const int spare = std::max(0, Area() - width);
  if (modes_.align == Align::Centre) return Left() + spare / 2;
  if (modes_.align == Align::Right) return Left() + spare;
  return Left();
}

void Interpreter::AddChar(char32_t c, bool wide) {
  Bitmap cell = Styled(typeface_.Cell(modes_.face, c, wide), modes_, wide);
  if (!line_.Fits(cell.width, Area())) PrintLine(modes_.lineSpacing);  // a full line prints by itself
  line_.Add(std::move(cell), Utf8(c), wide ? 2 : 1);
}

int Interpreter::ColumnDots() const {
  return (Typeface::CellWidth(modes_.face, false) + modes_.charSpacing) * modes_.widthMul;
}

// To the next tab position after the print position; none left: ignored.
void Interpreter::Tab() {
  for (int tab : modes_.tabs) {
    const int stop = tab * ColumnDots();
    if (stop <= line_.cursor()) continue;
    if (stop <= Area()) line_.MoveTo(stop, ColumnDots());
    return;
  }
}

// ESC $ (absolute, from the line's start) and ESC \ (relative) in horizontal
// motion units; a position outside the print area is ignored.
void Interpreter::MoveTo(int units, bool relative) {
  const int dots = units * kDotsPerInch / modes_.motionX;
  const int x = relative ? line_.cursor() + dots : dots;
  if (x < 0 || x > Area()) {
    return Note(std::string(relative ? "ESC \\" : "ESC $") + " to dot " + std::to_string(x) +
                ", outside the print area: ignored");
  }
  line_.MoveTo(x, ColumnDots());
}

void Interpreter::PrintLine(int feed) {
  line_.Print(paper_, Left(), Area(), modes_.align, feed, modes_.upsideDown);
}

// Pictures, symbols and cuts print what the line holds first.
void Interpreter::FlushLine() {
  if (!line_.Empty()) PrintLine(modes_.lineSpacing);
}

void Interpreter::PrintPicture(const Bitmap& picture, int sx, int sy, const std::string& marker) {
  FlushLine();
  const int top = paper_.Claim(picture.height * sy);
  Blit(paper_.page(), picture, AlignedX(picture.width * sx), top, sx, sy);
  paper_.Text(marker);
}

void Interpreter::Initialise() {
  const std::string dropped = line_.Clear();
  if (!dropped.empty()) Note("ESC @ cleared unprinted text: \"" + dropped + "\"");
  modes_ = Modes{};
  modes_.codePage = settings_.codePage;
  modes_.kanji = settings_.ChineseMode();
}

void Interpreter::CutPaper(const std::string& ending) {
  FlushLine();
  if (!settings_.CutterEnabled()) {
    Note(ending + " ignored: the DIP switches say the printer has no cutter");
    return;
  }
  paper_.Cut(ending);
}

// The settings, printed in font A on a receipt of their own.
void Interpreter::SelfTest() {
  FlushLine();
  const Modes saved = modes_;
  modes_ = Modes{};
  modes_.codePage = 0;
  std::vector<std::string> lines = {"*** SELF TEST ***"};
  const std::vector<std::string> settings = Describe(settings_);
  lines.insert(lines.end(), settings.begin(), settings.end());
  for (const std::string& text : lines) {
    for (unsigned char c : text) AddChar(c >= 0x20 && c < 0x7F ? c : U'?', false);
    PrintLine(modes_.lineSpacing);
  }
  paper_.Feed(4 * kDefaultLineSpacing);
  modes_ = saved;
  CutPaper("self test, cut");
}

}  // namespace vprinter::escpos
