// Fuzzes vprinter's status port with any bytes a client may send on port
// 4000. Beyond not crashing: the bytes cut in two give the same answers and
// the same settings as the whole, and every answer is a whole status word.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "fuzz/Check.h"
#include "vprinter/Handler.h"

namespace {

using fuzz::Check;

struct Log : vprinter::escpos::EventLog {
  void Note(const std::string&) override {}
};

struct Port {
  Log log;
  struct Sink : vprinter::escpos::ReceiptSink {
    void Take(vprinter::escpos::Receipt) override {}
  } sink;
  vprinter::Printer printer{vprinter::PrinterSetup{}, nullptr, sink, log};
  vprinter::StatusHandler handler{printer, log};
  std::vector<std::uint8_t> answers;
  void Feed(std::span<const std::uint8_t> bytes) {
    const auto answer = handler.OnBytes(bytes);
    answers.insert(answers.end(), answer.begin(), answer.end());
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  if (size == 0) return 0;
  const std::span<const std::uint8_t> input(data + 1, size - 1);
  const size_t cut = input.size() * data[0] / 255;
  Port whole, pieces;
  whole.Feed(input);
  pieces.Feed(input.first(cut));
  pieces.Feed(input.subspan(cut));
  Check(whole.answers == pieces.answers, "a cut input gives the same answers");
  Check(whole.answers.size() % 4 == 0, "answers are whole status words");
  Check(vprinter::escpos::Describe(whole.printer.settings()) == vprinter::escpos::Describe(pieces.printer.settings()),
        "a cut input gives the same settings");
  return 0;
}
