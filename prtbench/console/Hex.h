// The content box's HEX mode: hexadecimal text to bytes and bytes to a hex dump.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "prtbench/base/Bytes.h"

namespace prtbench {

// Reads `text` up to its first zero byte as bytes written in hexadecimal.
// Blanks, CR and LF separate items; an item is two digits (0-9, A-F, a-f), or
// one digit when it is the last character or a separator follows it. Two
// digits take the next two characters whatever follows, so "1B4" is 1B 04.
// Returns the bytes, or nothing when a character is not a digit (a tab
// included) or the text holds no item at all: both are input errors.
Bytes ParseHexText(std::string_view text);

// " %02X" for every byte of `bytes` up to its first zero, a line break after
// each 0A and after each byte that follows a 0D, and no leading blank.
std::string FormatHexDump(std::string_view bytes);

}  // namespace prtbench
