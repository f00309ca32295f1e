// Hex text parsing and formatting for the content box.
#include "prtbench/console/Hex.h"

#include <cstdio>

namespace prtbench {
namespace {

bool IsSeparator(char c) { return c == '\n' || c == '\r' || c == ' '; }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

Bytes ParseHexText(std::string_view text) {
  text = UpToZero(text);
  Bytes out;
  for (size_t j = 0; j < text.size();) {
    if (IsSeparator(text[j])) {
      ++j;
      continue;
    }
    const int high = DigitValue(text[j]);
    const bool single = j + 1 == text.size() || IsSeparator(text[j + 1]);
    const int low = single ? 0 : DigitValue(text[j + 1]);
    if (high < 0 || low < 0) return {};
    out.push_back(static_cast<uint8_t>(single ? high : high * 16 + low));
    // a single digit skips the separator after it as well
    j += 2;
  }
  return out;
}

std::string FormatHexDump(std::string_view bytes) {
  bytes = UpToZero(bytes);
  std::string text;
  for (size_t i = 0; i < bytes.size(); ++i) {
    char item[4];
    std::snprintf(item, sizeof item, " %02X", static_cast<unsigned char>(bytes[i]));
    text += item;
    if (bytes[i] == '\n' || (i > 0 && bytes[i - 1] == '\r')) text += "\r\n";
  }
  const size_t first = text.find_first_not_of(" \t\r\n");
  return first == std::string::npos ? std::string() : text.substr(first);
}

}  // namespace prtbench
