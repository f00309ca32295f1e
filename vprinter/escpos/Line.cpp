// Laying out and printing one line.
#include "vprinter/escpos/Line.h"

#include <algorithm>

namespace vprinter::escpos {

bool Line::Fits(int w, int limit) const {
  if (cells_.empty() && cursor_ == 0) return true;
  return cursor_ + w <= limit && cells_.size() < kMaxLineCells;
}

void Line::Add(Bitmap cell, const std::string& text, int columns) {
  const int w = cell.width;
  height_ = std::max(height_, cell.height);
  if (w > 0 || cell.height > 0) cells_.push_back({cursor_, std::move(cell)});
  cursor_ += w;
  width_ = std::max(width_, cursor_);
  text_ += text;
  columns_ += columns;
}

void Line::MoveTo(int x, int columnDots) {
  cursor_ = std::max(0, x);
  const int column = columnDots > 0 ? (cursor_ + columnDots / 2) / columnDots : 0;
  if (column > columns_) {
    text_.append(static_cast<size_t>(column - columns_), ' ');
    columns_ = column;
  }
}

// The line's cells on a strip as wide as the line, bottoms aligned.
Bitmap Line::Render() const {
  Bitmap strip(width_, height_);
  for (const Placed& placed : cells_) Blit(strip, placed.cell, placed.x, height_ - placed.cell.height);
  return strip;
}

void Line::Print(Paper& paper, int left, int area, Align align, int feed, bool upsideDown) {
  if (cells_.empty()) {
    paper.Feed(feed);
    paper.Text("");
    Clear();
    return;
  }
  int x = left;
  if (align == Align::Centre) x += std::max(0, (area - width_) / 2);
  if (align == Align::Right) x += std::max(0, area - width_);
  Bitmap strip = Render();
  if (upsideDown) {
    strip = Rotated180(strip);
    x = left + std::max(0, area - width_) - (x - left);  // the line's start is now at the right
  }
  Blit(paper.page(), strip, x, paper.Claim(height_));
  paper.Feed(feed - height_);
  // trailing blanks are layout, not text
  paper.Text(text_.substr(0, text_.find_last_not_of(' ') + 1));
  Clear();
}

std::string Line::Clear() {
  std::string text = std::move(text_);
  cells_.clear();
  text_.clear();
  columns_ = cursor_ = width_ = height_ = 0;
  return text;
}

}  // namespace vprinter::escpos
