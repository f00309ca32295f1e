// The paper as it leaves the print head: one page that grows as lines,
// pictures and feeds are printed, handed on as a receipt when it is cut.
#pragma once

#include <string>
#include <vector>

#include "vprinter/escpos/Bitmap.h"
#include "vprinter/escpos/Output.h"
#include "vprinter/escpos/Settings.h"

namespace vprinter::escpos {

// The longest page kept (4 m at 203 dpi); a longer one is cut there.
constexpr int kMaxPageRows = 32000;
// The text dump of one page stops growing here.
constexpr size_t kMaxPageText = 1u << 20;

class Paper {
 public:
  Paper(ReceiptSink& sink, EventLog& log, const Settings& settings);

  // Dots across the current page (the settings' width when the page began).
  int width();
  // Claims `rows` at the print position, moves the position past them and
  // returns the first. A page that would grow past kMaxPageRows is cut first.
  int Claim(int rows);
  void Feed(int rows);
  Bitmap& page() { return page_; }
  void Text(const std::string& line);

  // Ends the page: a receipt when anything was printed on it, else a note.
  void Cut(const std::string& ending);
  bool Empty() const { return !started_; }

 private:
  void Start();

  ReceiptSink& sink_;
  EventLog& log_;
  const Settings& settings_;
  Bitmap page_;
  std::vector<std::string> text_;
  size_t textBytes_ = 0;
  bool started_ = false;
};

}  // namespace vprinter::escpos
