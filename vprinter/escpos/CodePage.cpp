// Character tables built once from the C library's converters.
#include "vprinter/escpos/CodePage.h"

#include <iconv.h>

#include <cstring>
#include <map>
#include <mutex>
#include <unordered_map>

namespace vprinter::escpos {
namespace {

struct TableSource {
  int number;
  const char* name;
  const char* charset;
};

// The numbers are the printer's: its configuration list repeats some pages
// under a second number.
// Tables a common 80 mm printer has beyond these (Thai, Arabic, Vietnamese
// and other vendor pages) have no converter here and are refused with a note.
// Table 1's single bytes A1-DF are the half-width katakana of Shift JIS.
constexpr TableSource kTables[] = {
    {0, "PC437", "IBM437"},     {1, "Katakana", "SHIFT_JIS"}, {2, "PC850", "IBM850"},
    {3, "PC860", "IBM860"},     {4, "PC863", "IBM863"},       {5, "PC865", "IBM865"},
    {16, "WPC1252", "CP1252"},  {17, "PC866", "IBM866"},      {18, "PC852", "IBM852"},
    {19, "PC858", "IBM858"},
    {50, "PC437", "IBM437"},    {52, "PC437", "IBM437"},    {53, "PC858", "IBM858"},
    {55, "PC860", "IBM860"},    {59, "PC866", "IBM866"},    {71, "WPC1252", "CP1252"},
};

// One character of `charset` to UTF-32, 0 when it has none.
char32_t Convert(iconv_t cd, const char* in, size_t inSize) {
  char32_t out = 0;
  char* inPtr = const_cast<char*>(in);
  char* outPtr = reinterpret_cast<char*>(&out);
  size_t outSize = sizeof out;
  iconv(cd, nullptr, nullptr, nullptr, nullptr);
  if (iconv(cd, &inPtr, &inSize, &outPtr, &outSize) == static_cast<size_t>(-1) || inSize != 0) return 0;
  return out;
}

CodePage Build(const TableSource& source) {
  CodePage page;
  page.number = source.number;
  page.name = source.name;
  const iconv_t cd = iconv_open("UTF-32LE", source.charset);
  for (int b = 0x20; b < 0x100; ++b) {
    const char byte = static_cast<char>(b);
    // 20-7F are ASCII in every table, also where the converter says yen for 5C
    page.chars[b] = b < 0x80 ? b : cd == reinterpret_cast<iconv_t>(-1) ? 0 : Convert(cd, &byte, 1);
  }
  if (cd != reinterpret_cast<iconv_t>(-1)) iconv_close(cd);
  page.chars[0x7F] = 0;  // DEL prints nothing
  return page;
}

}  // namespace

const CodePage* FindCodePage(int number) {
  static const std::map<int, CodePage> tables = [] {
    std::map<int, CodePage> built;
    for (const auto& source : kTables) built.emplace(source.number, Build(source));
    return built;
  }();
  const auto it = tables.find(number);
  return it == tables.end() ? nullptr : &it->second;
}

char32_t International(int set, std::uint8_t byte) {
  static constexpr char kPositions[] = "#$@[\\]^`{|}~";
  // USA, France, Germany, UK, Denmark I, Sweden, Italy, Spain I, Japan, Norway, Denmark II,
  // Spain II, Latin America, Korea, Slovenia/Croatia, China
  static constexpr const char32_t* kSets[kInternationalSets] = {
      U"#$@[\\]^`{|}~", U"#$à°ç§^`éùè¨", U"#$§ÄÖÜ^`äöüß", U"£$@[\\]^`{|}~", U"#$@ÆØÅ^`æøå~", U"#¤ÉÄÖÅÜéäöåü",
      U"#$@°\\é^ùàòèì", U"₧$@¡Ñ¿^`¨ñ}~", U"#$@[¥]^`{|}~",  U"#¤ÉÆØÅÜéæøåü",  U"#$ÉÆØÅÜéæøåü",  U"#$á¡Ñ¿é`íñóú",
      U"#$á¡Ñ¿éüíñóú",  U"#$@[₩]^`{|}~",  U"#$ŽŠĐĆČžšđćč",  U"#¥@[\\]^`{|}~",
  };
  const char* at = std::strchr(kPositions, byte);
  if (set <= 0 || set >= kInternationalSets || byte == 0 || !at) return byte;
  return kSets[set][at - kPositions];
}

char32_t DecodeGbk(std::uint8_t lead, std::uint8_t trail) {
  static std::mutex mutex;
  static const iconv_t cd = iconv_open("UTF-32LE", "GBK");
  static std::unordered_map<std::uint16_t, char32_t> cache;  // at most 32K pairs
  if (cd == reinterpret_cast<iconv_t>(-1) || lead < 0x81 || lead == 0xFF) return 0;
  const std::uint16_t key = static_cast<std::uint16_t>(lead << 8 | trail);
  std::lock_guard lock(mutex);
  if (const auto it = cache.find(key); it != cache.end()) return it->second;
  const char pair[2] = {static_cast<char>(lead), static_cast<char>(trail)};
  return cache[key] = Convert(cd, pair, 2);
}

std::string Utf8(char32_t c) {
  std::string out;
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | c >> 6);
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | c >> 12);
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | c >> 18);
    out += static_cast<char>(0x80 | (c >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (c >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
  return out;
}

}  // namespace vprinter::escpos
