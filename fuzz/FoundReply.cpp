// Fuzzes the search's found-reply parser with any datagram that reaches port
// 9000. Beyond not crashing: it accepts exactly the 34-byte replies that
// begin "LM0001FOUND"; each field is the bytes at its place; the list's
// record gives the printer back; and a save for it has the found reply's
// layout one byte earlier, with port 9100 and a DHCP flag of 0 or 1.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <span>

#include "fuzz/Check.h"
#include "prtbench/nettools/Discovery.h"

namespace {

using namespace prtbench;
using fuzz::Check;

std::uint32_t BigEndianAt(const std::uint8_t* p) {
  return (std::uint32_t{p[0]} << 24) | (std::uint32_t{p[1]} << 16) | (std::uint32_t{p[2]} << 8) | p[3];
}

void CheckSave(const std::uint8_t* reply, const FoundPrinter& printer) {
  const Bytes save = SaveRequest({printer.mac, printer.ip, printer.mask, printer.gateway, printer.dhcp != 0});
  Check(save.size() == kSaveRequestSize, "a save is 33 bytes");
  Check(std::memcmp(save.data(), "LM0001SAVE", 10) == 0, "a save begins LM0001SAVE");
  Check(std::memcmp(save.data() + 10, reply + 11, 6) == 0, "a save carries the MAC where the reply had it, less one");
  Check(save[16] == 0 && save[17] == 0, "a save's undefined bytes are zero");
  Check(std::memcmp(save.data() + 18, reply + 19, 12) == 0, "a save's addresses sit one byte before the reply's");
  Check(save[30] == 0x8C && save[31] == 0x23, "a save always sends port 9100");
  Check(save[32] == (reply[33] != 0 ? 1 : 0), "a save's DHCP flag is 0 or 1");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> datagram(data, size);
  const auto printer = ParseFoundReply(datagram);
  const bool wellFormed = size == kFoundReplySize && std::memcmp(data, "LM0001FOUND", 11) == 0;
  Check(printer.has_value() == wellFormed, "exactly the 34-byte LM0001FOUND replies are accepted");
  if (!printer) return 0;
  Check(std::memcmp(printer->mac.data(), data + 11, 6) == 0, "the MAC is bytes 11-16");
  Check(printer->ip == BigEndianAt(data + 19), "the IP is bytes 19-22, first octet first");
  Check(printer->mask == BigEndianAt(data + 23), "the mask is bytes 23-26");
  Check(printer->gateway == BigEndianAt(data + 27), "the gateway is bytes 27-30");
  Check(printer->port == data[31] + 256 * data[32], "the port is bytes 31-32, little-endian");
  Check(printer->dhcp == data[33], "the DHCP flag is byte 33");
  Check(DecodeRecord(EncodeRecord(*printer)) == *printer, "a list record gives the printer back");
  Check(MacText(printer->mac).size() == 17, "a list line is 17 characters");
  CheckSave(data, *printer);
  return 0;
}
