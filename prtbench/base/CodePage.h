// Conversion between our UTF-8 text and the single- and double-byte code pages
// that printers read. Win32 converts on Windows; iconv stands in for the
// native tests.
#pragma once

#include <string>
#include <string_view>

namespace prtbench {

enum class CodePage : unsigned {
  SystemAnsi = 0,           // the system's ANSI code page (1252 in the native build)
  PortugueseDos = 860,      // what Print sends
  SimplifiedChinese = 936,  // what the HEX view shows
};

// `utf8` in `page`. Characters the page lacks become its default character
// "?": 860 and 936 never substitute a look-alike (no best-fit mapping).
std::string ToCodePage(std::string_view utf8, CodePage page);

// `bytes` of `page` as UTF-8; bytes that decode to nothing become "?".
std::string FromCodePage(std::string_view bytes, CodePage page);

}  // namespace prtbench
