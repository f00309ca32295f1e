// A printer on the test bench: the interpreter with the system's fonts, its
// receipts and notes kept in memory, and independent judges of its pages
// (zbarimg for symbols, libpng for the PNG files).
#pragma once

#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "vprinter/escpos/Interpreter.h"

namespace printbench {

using vprinter::escpos::Bitmap;
using vprinter::escpos::Receipt;

struct Collected : vprinter::escpos::ReceiptSink, vprinter::escpos::EventLog {
  std::vector<Receipt> receipts;
  std::vector<std::string> notes;
  void Take(Receipt receipt) override { receipts.push_back(std::move(receipt)); }
  void Note(const std::string& line) override { notes.push_back(line); }
  // True when a note contains `part`.
  bool Noted(const std::string& part) const;
};

// The Terminus and Unifont fonts of the system, read once for all tests.
vprinter::escpos::Typeface& SystemTypeface();

class Bench {
 public:
  explicit Bench(int widthDots = 576, int codePage = 3);
  void Feed(const std::string& bytes) { printer->Feed({reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()}); }
  // Ends the job; the receipts so far.
  const std::vector<Receipt>& Receipts();

  vprinter::escpos::Settings settings;
  Collected out;
  std::unique_ptr<vprinter::escpos::Interpreter> printer;
};

// Bytes written as numbers, e.g. B({0x1B, 0x40}).
std::string B(std::initializer_list<int> bytes);

// What zbarimg reads on `page` (written to a PNG file first): one line per
// symbol, "TYPE:data".
std::vector<std::string> Zbar(const Bitmap& page);

// A 1-bit PNG as a Bitmap (1 = black), read with libpng; an empty Bitmap on failure.
Bitmap ReadPng(const std::string& path);

}  // namespace printbench
