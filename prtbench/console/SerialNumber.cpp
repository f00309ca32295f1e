// Serial number rules and the command that writes one.
#include "prtbench/console/SerialNumber.h"

#include <cstdio>

#include "prtbench/base/CodePage.h"

namespace prtbench {
namespace {

constexpr size_t kMaxCharacters = 16;
constexpr size_t kDigits = 5;

// Characters of UTF-8 text: every byte but continuation bytes starts one.
size_t CharacterCount(std::string_view text) {
  size_t count = 0;
  for (unsigned char byte : text) count += (byte & 0xC0) != 0x80;
  return count;
}

}  // namespace

std::optional<SerialNumber> ParseSerialNumber(std::string_view text) {
  const size_t characters = CharacterCount(text);
  if (characters < kDigits || characters > kMaxCharacters) return std::nullopt;
  // digits are single bytes, so the last five characters are the last five bytes
  const std::string_view digits = text.substr(text.size() - kDigits);
  int number = 0;
  for (char digit : digits) {
    if (digit < '0' || digit > '9') return std::nullopt;
    number = number * 10 + (digit - '0');
  }
  if (number < 1) return std::nullopt;
  return SerialNumber{std::string(text.substr(0, text.size() - kDigits)), number};
}

Bytes SerialNumberCommand(std::string_view text) {
  const std::string ansi = ToCodePage(text, CodePage::SystemAnsi);
  Bytes command = {0x1F, 0x1B, 0x02, 0x13, 0x14, 0xBA, 0x77, static_cast<std::uint8_t>(ansi.size())};
  for (char byte : ansi) command.push_back(static_cast<std::uint8_t>(byte));
  return command;
}

std::string NextSerialNumber(const SerialNumber& serial) {
  char digits[16] = {};
  std::snprintf(digits, sizeof digits, "%05d", serial.number + 1);
  return serial.prefix + digits;
}

}  // namespace prtbench
