// Fuzzes the monitor's status parser with the replies a printer may send on
// port 4000. The input is a run of replies, each a length byte (taken modulo
// 21: a read takes at most 20 bytes) and that many bytes. Beyond not
// crashing: each word is the reply's first four bytes zero-padded, most
// significant first; a 0 word never replaces the stored one; and the lamps
// follow their bits, with busy, paper near end and cut never red.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "fuzz/Check.h"
#include "prtbench/nettools/Status.h"

namespace {

using namespace prtbench;
using fuzz::Check;

std::uint32_t PaddedWord(std::span<const std::uint8_t> reply) {
  std::uint8_t padded[4] = {};
  for (std::size_t i = 0; i < 4 && i < reply.size(); ++i) padded[i] = reply[i];
  return (std::uint32_t{padded[0]} << 24) | (std::uint32_t{padded[1]} << 16) | (std::uint32_t{padded[2]} << 8) |
         padded[3];
}

void CheckLamps(std::uint32_t word) {
  const Lamps lamps = PolledLamps(word);
  const auto red = [&lamps](int lamp) { return lamps[lamp] == LampColour::Red; };
  for (LampColour colour : lamps) Check(colour != LampColour::Black, "after a reply no lamp is black");
  for (int lamp : {2, 3, 6}) Check(!red(lamp), "busy, paper near end and cut are never red");
  Check(red(0) == ((word & 0x00400000u) != 0), "recoverable error follows 0x00400000");
  Check(red(1) == ((word & 0x00200000u) != 0), "fatal error follows 0x00200000");
  Check(red(4) == ((word & 0x04000000u) == 0), "the drawer lamp is red while 0x04000000 is clear");
  Check(red(5) == ((word & 0x40000000u) != 0), "feed follows 0x40000000");
  Check(red(7) == ((word & 0x20000000u) != 0), "cover follows 0x20000000");
  Check(red(8) == ((word & 0x00000C00u) != 0), "no paper follows 0x00000C00");
  Check(red(9) == ((word & 0x08000000u) != 0), "online is red while 0x08000000 is set");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::uint32_t stored = 0;
  std::size_t offset = 0;
  while (offset < size) {
    const std::size_t length = std::min<std::size_t>(data[offset] % (kStatusReplyBuffer + 1), size - offset - 1);
    const std::span<const std::uint8_t> reply(data + offset + 1, length);
    offset += 1 + length;
    const std::uint32_t word = ComposeStatusWord(reply);
    Check(word == PaddedWord(reply), "the word is the first four bytes, missing ones 0");
    const std::uint32_t next = NextStoredWord(stored, word);
    Check(next == (word == 0 ? stored : word), "a 0 word never replaces the stored one");
    Check(stored == 0 || next != 0, "once a status is stored it is never 0 again");
    stored = next;
    CheckLamps(stored);
  }
  return 0;
}
