// Content conversion and the repetition layout of Print.
#include "prtbench/console/Content.h"

#include <cstdio>

#include "prtbench/base/CodePage.h"
#include "prtbench/console/Encoding.h"

namespace prtbench {
namespace {

Bytes ToBytes(std::string_view text) { return Bytes(text.begin(), text.end()); }

std::string_view UpToZero(std::string_view text) { return text.substr(0, text.find('\0')); }

}  // namespace

ContentBytes PrintContent(std::string_view text, bool hex, CodePage page) {
  if (text.empty()) return {{}, ContentError::Empty};
  const std::string converted(UpToZero(ToCodePage(text, page)));
  if (!hex) return {ToBytes(converted), ContentError::None};
  Bytes parsed = ParseHexText(converted);
  if (parsed.empty()) return {{}, ContentError::BadHex};
  return {std::move(parsed), ContentError::None};
}

ContentBytes AutoSendContent(std::string_view text, bool hex, bool cutPaper, uint8_t cutMode) {
  if (cutPaper) return {{0x1D, 0x56, cutMode, 0x0A, 0x0A}, ContentError::None};
  if (text.empty()) return {{}, ContentError::Empty};
  // the terminating zero is part of what the printer receives
  Bytes buffer = ToBytes(ToCodePage(text, CodePage::SystemAnsi));
  buffer.push_back(0);
  if (!hex) return {std::move(buffer), ContentError::None};
  Bytes parsed = ParseHexText(std::string_view(reinterpret_cast<const char*>(buffer.data()), buffer.size()));
  if (parsed.empty()) return {{}, ContentError::BadHex};
  return {std::move(parsed), ContentError::None};
}

Bytes NumberLine(int number) {
  char line[128];
  const int n = std::snprintf(line, sizeof line, "No.%d\r\n", number);
  return Bytes(line, line + n);
}

Bytes TimeStampBytes(std::string_view dateText) {
  Bytes out;
  for (char16_t unit : Utf16("\r\n" + std::string(dateText) + "\r\n")) {
    out.push_back(static_cast<uint8_t>(unit & 0xFF));
    out.push_back(static_cast<uint8_t>(unit >> 8));
  }
  return out;
}

std::vector<Bytes> RepetitionBuffers(const Bytes& content, const PrintSwitches& switches, int number) {
  std::vector<Bytes> buffers;
  if (switches.numbering) buffers.push_back(NumberLine(number));
  buffers.push_back(content);
  if (switches.timeStamp) buffers.push_back(TimeStampBytes(switches.dateText));
  return buffers;
}

std::vector<Bytes> PrintBuffers(const Bytes& content, const PrintSwitches& switches) {
  std::vector<Bytes> all;
  for (int number = 1; number <= switches.repetitions; ++number) {
    for (Bytes& buffer : RepetitionBuffers(content, switches, number)) all.push_back(std::move(buffer));
  }
  return all;
}

std::string HexView(std::string_view text) { return FormatHexDump(ToCodePage(text, CodePage::SimplifiedChinese)); }

TextView TextFromHexView(std::string_view hexText, const HexViewEntry& entered) {
  if (!entered.dump.empty() && hexText == entered.dump) return {entered.text, true};
  const Bytes parsed = ParseHexText(ToCodePage(hexText, CodePage::SimplifiedChinese));
  if (parsed.empty()) return {};
  const std::string_view raw(reinterpret_cast<const char*>(parsed.data()), parsed.size());
  return {FromCodePage(UpToZero(raw), CodePage::SimplifiedChinese), true};
}

}  // namespace prtbench
