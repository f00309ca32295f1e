// Growing, cutting and handing on pages.
#include "vprinter/escpos/Paper.h"

#include <algorithm>

namespace vprinter::escpos {

Paper::Paper(ReceiptSink& sink, EventLog& log, const Settings& settings)
    : sink_(sink), log_(log), settings_(settings) {}

void Paper::Start() {
  if (started_) return;
  started_ = true;
  page_ = Bitmap(settings_.PaperDots(), 0);
  // room for the longest page at once: growing line by line would copy the
  // page again and again (only the rows printed are ever touched)
  page_.bits.reserve(static_cast<size_t>(page_.rowBytes()) * kMaxPageRows);
}

int Paper::width() {
  return started_ ? page_.width : settings_.PaperDots();
}

int Paper::Claim(int rows) {
  Start();
  rows = std::clamp(rows, 0, kMaxPageRows);
  if (page_.height + rows > kMaxPageRows) {
    Cut("cut at the page length cap of " + std::to_string(kMaxPageRows) + " dots");
    Start();
  }
  const int top = page_.height;
  page_.height += rows;
  page_.bits.resize(static_cast<size_t>(page_.rowBytes()) * page_.height);
  return top;
}

void Paper::Feed(int rows) {
  while (rows > 0) {
    Start();
    const int step = std::min(rows, kMaxPageRows - page_.height);
    if (step == 0) {
      Cut("cut at the page length cap of " + std::to_string(kMaxPageRows) + " dots");
      continue;
    }
    Claim(step);
    rows -= step;
  }
}

void Paper::Text(const std::string& line) {
  Start();
  if (textBytes_ >= kMaxPageText) return;
  textBytes_ += line.size() + sizeof(std::string);  // empty lines cost memory too
  text_.push_back(textBytes_ >= kMaxPageText ? "[text dump full]" : line);
}

void Paper::Cut(const std::string& ending) {
  if (!started_) return;
  started_ = false;
  Receipt receipt{std::move(page_), std::move(text_), ending, Describe(settings_)};
  page_ = Bitmap();
  text_.clear();
  textBytes_ = 0;
  if (!receipt.page.Inked()) {
    if (receipt.page.height > 0) log_.Note("blank paper fed (" + std::to_string(receipt.page.height) + " dots): " + ending);
    return;
  }
  sink_.Take(std::move(receipt));
}

}  // namespace vprinter::escpos
