// Fuzzes vprinter's interpreter with any bytes a connection may bring. Beyond
// not crashing: the bytes cut in two give the same receipts as the whole
// (the printer cannot tell how they were sent), and every page stays within
// the paper's widths and the page length cap.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <vector>

#include "fuzz/Check.h"
#include "vprinter/escpos/Interpreter.h"

namespace {

using namespace vprinter::escpos;
using fuzz::Check;

// Keeps the receipts, counts the notes (a note per unknown byte would only cost memory here).
struct Sink : ReceiptSink, EventLog {
  std::vector<Receipt> receipts;
  size_t notes = 0;
  void Take(Receipt receipt) override { receipts.push_back(std::move(receipt)); }
  void Note(const std::string&) override { ++notes; }
};

std::vector<Receipt> Print(std::span<const std::uint8_t> first, std::span<const std::uint8_t> second) {
  static std::unique_ptr<Typeface> typeface = Typeface::Boxes();
  Settings settings;
  Sink sink;
  Interpreter printer(*typeface, settings, sink, sink);
  printer.Feed(first);
  printer.Feed(second);
  printer.PowerOff();
  return std::move(sink.receipts);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  // the first byte says where to cut the rest
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const size_t cut = input.size() * data[0] / 255;
  const std::vector<Receipt> whole = Print(input, {});
  const std::vector<Receipt> pieces = Print(input.first(cut), input.subspan(cut));
  Check(whole.size() == pieces.size(), "a cut input gives as many receipts");
  for (size_t i = 0; i < whole.size(); ++i) {
    const Bitmap& page = whole[i].page;
    Check(page.width == 384 || page.width == 512 || page.width == 576 || page.width == 640, "paper widths");
    Check(page.height > 0 && page.height <= kMaxPageRows, "page length cap");
    Check(page.bits.size() == static_cast<size_t>(page.rowBytes()) * page.height, "page size");
    Check(page.bits == pieces[i].page.bits && whole[i].text == pieces[i].text, "a cut input prints the same");
  }
  return 0;
}
