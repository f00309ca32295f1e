// The printer's character tables. ESC t and the code page configuration
// frame use the same table numbers; each table maps the bytes 80-FF to
// characters (00-7F are ASCII in all of them).
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace vprinter::escpos {

struct CodePage {
  int number = 0;           // table number, as ESC t and the frame send it
  std::string name;         // "PC860"
  std::array<char32_t, 256> chars{};  // 0: no character at this byte
};

// The table with this number, or nullptr when the printer has none.
const CodePage* FindCodePage(int number);

// International character sets (ESC R 0-15): the character set `set` prints
// for ASCII `byte`, which is `byte` itself where the set leaves it alone;
// kInternationalSets sets are known.
constexpr int kInternationalSets = 16;
char32_t International(int set, std::uint8_t byte);

// The character of a two-byte GBK code (lead 81-FE), or 0 when the pair is
// not a GBK character.
char32_t DecodeGbk(std::uint8_t lead, std::uint8_t trail);

// `c` as UTF-8.
std::string Utf8(char32_t c);

}  // namespace vprinter::escpos
