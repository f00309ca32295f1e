// Fuzzes vprinter's broadcast responder with any datagram on UDP port 9000.
// Beyond not crashing: a datagram is answered or not the same way twice in a
// row unless it changed the record, and the record stays one line.
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>

#include "fuzz/Check.h"
#include "vprinter/Discovery.h"

namespace {

using fuzz::Check;

struct Log : vprinter::escpos::EventLog {
  void Note(const std::string&) override {}
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
  Log log;
  vprinter::escpos::Settings settings;
  vprinter::DiscoveryResponder responder(vprinter::Identity{}, settings, log);
  const std::span<const std::uint8_t> datagram(data, size);
  const auto first = responder.OnDatagram(datagram, "127.0.0.1:9000");
  const std::string record = responder.RecordText();
  const auto second = responder.OnDatagram(datagram, "127.0.0.1:9000");
  Check(record.find('\n') == std::string::npos, "the record is one line");
  Check(record != responder.RecordText() || first == second, "the same datagram gets the same answer");
  return 0;
}
