// Byte-order marks, and UTF-16 in either byte order, for the text files.
#include "prtbench/console/Encoding.h"

#include <array>

#include "prtbench/base/CodePage.h"

namespace prtbench {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr std::string_view kUtf16BeMark = "\xFE\xFF";
constexpr char32_t kReplacement = 0xFFFD;

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | (cp >> 6));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | (cp >> 12));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (cp >> 18));
    out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// The UTF-16 units of `bytes` in the given order; an odd last byte is kept
// as a unit of its own so it is not lost without a trace.
std::u16string Units(std::string_view bytes, bool bigEndian) {
  std::u16string units;
  for (size_t i = 0; i < bytes.size(); i += 2) {
    const auto a = static_cast<unsigned char>(bytes[i]);
    const auto b = i + 1 < bytes.size() ? static_cast<unsigned char>(bytes[i + 1]) : 0;
    units += static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  }
  return units;
}

// UTF-16 units to UTF-8; a lone surrogate becomes U+FFFD.
std::string Utf8(std::u16string_view units) {
  std::string out;
  for (size_t i = 0; i < units.size(); ++i) {
    char32_t cp = units[i];
    const bool high = cp >= 0xD800 && cp <= 0xDBFF;
    if (high && i + 1 < units.size() && units[i + 1] >= 0xDC00 && units[i + 1] <= 0xDFFF) {
      cp = 0x10000 + ((cp - 0xD800) << 10) + (units[++i] - 0xDC00);
    } else if (cp >= 0xD800 && cp <= 0xDFFF) {
      cp = kReplacement;
    }
    AppendUtf8(out, cp);
  }
  return out;
}

FileContent FromUtf16(std::string_view bytes, bool bigEndian) {
  const std::u16string units = Units(bytes, bigEndian);
  const TextEncoding encoding = bigEndian ? TextEncoding::Utf16Be : TextEncoding::Utf16Le;
  return {Utf8(units), encoding, units.find(u'\0') == std::u16string::npos};
}

std::string ToUtf16(std::string_view utf8, bool bigEndian) {
  std::string out(bigEndian ? kUtf16BeMark : kUtf16LeMark);
  for (char16_t unit : Utf16(utf8)) {
    const char high = static_cast<char>(unit >> 8), low = static_cast<char>(unit & 0xFF);
    out += bigEndian ? high : low;
    out += bigEndian ? low : high;
  }
  return out;
}

}  // namespace

std::u16string Utf16(std::string_view utf8) {
  std::u16string out;
  for (size_t i = 0; i < utf8.size();) {
    const unsigned char lead = static_cast<unsigned char>(utf8[i]);
    const size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC0 ? 2 : 1;
    if (i + n > utf8.size()) {
      out += static_cast<char16_t>(lead);
      ++i;
      continue;
    }
    char32_t cp = n == 1 ? lead : lead & (0x3F >> (n - 1));
    for (size_t k = 1; k < n; ++k) cp = (cp << 6) | (static_cast<unsigned char>(utf8[i + k]) & 0x3F);
    if (cp >= 0x10000) {
      cp -= 0x10000;
      out += static_cast<char16_t>(0xD800 + (cp >> 10));
      out += static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
    } else {
      out += static_cast<char16_t>(cp);
    }
    i += n;
  }
  return out;
}

FileContent ContentFromFile(std::string_view fileBytes) {
  if (fileBytes.starts_with(kUtf16LeMark)) return FromUtf16(fileBytes.substr(2), false);
  if (fileBytes.starts_with(kUtf16BeMark)) return FromUtf16(fileBytes.substr(2), true);
  const bool ok = fileBytes.find('\0') == std::string_view::npos;
  if (fileBytes.starts_with(kUtf8Mark)) return {std::string(fileBytes.substr(3)), TextEncoding::Utf8, ok};
  return {FromCodePage(fileBytes, CodePage::SystemAnsi), TextEncoding::Ansi, ok};
}

std::string FileFromContent(std::string_view text, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::Utf8: return std::string(kUtf8Mark) + std::string(text);
    case TextEncoding::Utf16Le: return ToUtf16(text, false);
    case TextEncoding::Utf16Be: return ToUtf16(text, true);
    case TextEncoding::Ansi: break;
  }
  return ToCodePage(text, CodePage::SystemAnsi);
}

}  // namespace prtbench
