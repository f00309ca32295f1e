// How the content box's text files are stored: in the system ANSI code page
// as before, or in UTF-8 or UTF-16 when a byte-order mark says so. A file is
// saved in the encoding it was opened in.
#pragma once

#include <string>
#include <string_view>

namespace prtbench {

// Ansi has no mark; the others begin with EF BB BF, FF FE or FE FF.
enum class TextEncoding { Ansi, Utf8, Utf16Le, Utf16Be };

struct FileContent {
  std::string text;  // UTF-8, without the mark
  TextEncoding encoding = TextEncoding::Ansi;
  // false when the file holds a zero character: the content box would end
  // its text there and Save would write the file back cut short
  bool ok = true;
};

// A text file's bytes as the content box shows them.
FileContent ContentFromFile(std::string_view fileBytes);

// What Save writes for the content box's `text`: the mark of `encoding` and
// the text in it; Ansi without a mark or terminating zero.
std::string FileFromContent(std::string_view text, TextEncoding encoding);

// UTF-8 to UTF-16 code units; malformed bytes stand for themselves.
std::u16string Utf16(std::string_view utf8);

}  // namespace prtbench
