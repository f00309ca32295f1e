// The line buffer: characters and bit-image bands collect here until a line
// feed (or a full line) prints them together, aligned at their bottoms.
#pragma once

#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"
#include "vprinter/escpos/Paper.h"

namespace vprinter::escpos {

enum class Align { Left, Centre, Right };

class Line {
 public:
  bool Empty() const { return cells_.empty(); }
  int width() const { return width_; }
  // True when `w` more dots still fit in a line of `limit` dots (an empty
  // line takes anything: what does not fit is clipped).
  bool Fits(int w, int limit) const { return cells_.empty() || width_ + w <= limit; }
  void Add(Bitmap cell, const std::string& text);

  // Prints the line at the print position, `align`ed in the `area` dots
  // that start `left` dots from the paper's edge, then moves the paper on
  // so that the line took at least `feed` rows; empties the line.
  void Print(Paper& paper, int left, int area, Align align, int feed);
  // Drops what the line holds; returns its text.
  std::string Clear();

 private:
  std::vector<Bitmap> cells_;
  std::string text_;
  int width_ = 0;
  int height_ = 0;
};

}  // namespace vprinter::escpos
