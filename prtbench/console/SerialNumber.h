// The serial number writer of production benches: which texts are serial
// numbers, the command that stores one in the printer, and the next number.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "prtbench/base/Bytes.h"

namespace prtbench {

// A serial number split into its free prefix and its five-digit number.
struct SerialNumber {
  std::string prefix;  // UTF-8, everything before the last five characters
  int number = 0;      // 1..99999
};

// `text` (UTF-8) is a serial number when it is 1 to 16 characters long, its
// last five characters are the digits 0-9 and they form a number of at least
// 1; nullopt otherwise (so texts shorter than five characters never are).
std::optional<SerialNumber> ParseSerialNumber(std::string_view text);

// 1F 1B 02 13 14 BA 77, the length L of `text` in the system ANSI code page
// (one byte), then those L bytes without a terminating zero.
Bytes SerialNumberCommand(std::string_view text);

// The prefix followed by number + 1 as at least five digits with leading
// zeros: AB00123 gives AB00124, AB99999 gives AB100000.
std::string NextSerialNumber(const SerialNumber& serial);

}  // namespace prtbench
