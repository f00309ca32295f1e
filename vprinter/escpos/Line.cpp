// Laying out and printing one line.
#include "vprinter/escpos/Line.h"

#include <algorithm>

namespace vprinter::escpos {

void Line::Add(Bitmap cell, const std::string& text) {
  width_ += cell.width;
  height_ = std::max(height_, cell.height);
  cells_.push_back(std::move(cell));
  text_ += text;
}

void Line::Print(Paper& paper, int left, int area, Align align, int feed) {
  if (cells_.empty()) {
    paper.Feed(feed);
    paper.Text("");
    return;
  }
  int x = left;
  if (align == Align::Centre) x += std::max(0, (area - width_) / 2);
  if (align == Align::Right) x += std::max(0, area - width_);
  const int top = paper.Claim(height_);
  for (const Bitmap& cell : cells_) {
    Blit(paper.page(), cell, x, top + height_ - cell.height);
    x += cell.width;
  }
  paper.Feed(feed - height_);
  // trailing blanks are layout, not text
  paper.Text(text_.substr(0, text_.find_last_not_of(' ') + 1));
  Clear();
}

std::string Line::Clear() {
  std::string text = std::move(text_);
  cells_.clear();
  text_.clear();
  width_ = height_ = 0;
  return text;
}

}  // namespace vprinter::escpos
