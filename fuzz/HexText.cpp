// Fuzzes the content box's HEX mode: any text the user can type or paste.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "fuzz/Check.h"
#include "prtbench/console/Hex.h"

namespace {

using prtbench::Bytes;
using fuzz::Check;

std::optional<int> Digit(char c) {
  const std::string_view digits = "0123456789ABCDEF";
  const size_t upper = digits.find(c);
  if (upper != std::string_view::npos) return static_cast<int>(upper);
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return std::nullopt;
}

// The hex text grammar read run by run: a run of characters between blanks,
// CRs and LFs is pairs of digits, and a last lone digit when its length is odd.
Bytes ReferenceParse(std::string_view text) {
  text = text.substr(0, text.find('\0'));
  Bytes out;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = std::min(text.find_first_of(" \r\n", start), text.size());
    for (size_t i = start; i < end; i += 2) {
      const bool lone = i + 1 == end;
      const std::optional<int> high = Digit(text[i]);
      const std::optional<int> low = lone ? 0 : Digit(text[i + 1]);
      if (!high || !low) return {};
      out.push_back(static_cast<uint8_t>(lone ? *high : *high * 16 + *low));
    }
    start = end + 1;
  }
  return out;
}

// The dump as its contract words it: " %02X" a byte, a line break after each
// 0A and after each byte that follows a 0D, the leading blank dropped.
std::string ReferenceDump(std::string_view bytes) {
  bytes = bytes.substr(0, bytes.find('\0'));
  static const char kHex[] = "0123456789ABCDEF";
  std::string text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    text += ' ';
    text += kHex[b >> 4];
    text += kHex[b & 15];
    if (b == 0x0A || (i > 0 && bytes[i - 1] == '\r')) text += "\r\n";
  }
  return text.empty() ? text : text.substr(1);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);

  // typed text reads as the grammar says, or as nothing when it breaks it
  Check(prtbench::ParseHexText(input) == ReferenceParse(input), "parse agrees with the grammar");

  // any content dumps as the contract says, and the dump reads back to the
  // content up to its first zero byte
  const std::string dump = prtbench::FormatHexDump(input);
  Check(dump == ReferenceDump(input), "dump agrees with its contract");
  const Bytes back = prtbench::ParseHexText(dump);
  const std::string_view content = input.substr(0, input.find('\0'));
  Check(std::string_view(reinterpret_cast<const char*>(back.data()), back.size()) == content,
        "dump parses back to the content");
  return 0;
}
