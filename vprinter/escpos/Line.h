// The line buffer: characters and bit-image bands collect here, each at the
// print position it was given, until a line feed (or a full line) prints them
// together, aligned at their bottoms.
#pragma once

#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"
#include "vprinter/escpos/Paper.h"

namespace vprinter::escpos {

enum class Align { Left, Centre, Right };

// Cells one line holds at most: positions may move back and overlap, so the
// width alone does not bound them.
constexpr size_t kMaxLineCells = 2048;

class Line {
 public:
  bool Empty() const { return cells_.empty(); }
  // The print position, in dots from the line's start.
  int cursor() const { return cursor_; }
  // True when `w` more dots still fit at the print position in a line of
  // `limit` dots and the line has room for another cell (a fresh line
  // takes anything: what does not fit is clipped).
  bool Fits(int w, int limit) const;
  // Puts `cell` at the print position and moves the position past it; the
  // text dump gets `text`, `columns` character columns wide.
  void Add(Bitmap cell, const std::string& text, int columns);
  // Moves the print position to `x` dots; the text dump gets blanks up to the
  // column of `x` in columns of `columnDots`.
  void MoveTo(int x, int columnDots);

  // Prints the line at the print position, `align`ed in the `area` dots
  // that start `left` dots from the paper's edge (turned half round when
  // `upsideDown`), then moves the paper on so that the line took at least
  // `feed` rows; empties the line.
  void Print(Paper& paper, int left, int area, Align align, int feed, bool upsideDown = false);
  // Drops what the line holds; returns its text.
  std::string Clear();

 private:
  struct Placed {
    int x;
    Bitmap cell;
  };
  Bitmap Render() const;

  std::vector<Placed> cells_;
  std::string text_;
  int columns_ = 0;  // of text_
  int cursor_ = 0;
  int width_ = 0;    // right end of the rightmost cell
  int height_ = 0;
};

}  // namespace vprinter::escpos
