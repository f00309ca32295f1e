// Text files by their byte-order mark: read, refused when they hold a zero
// character, and written back in the same encoding.
#include "prtbench/console/Encoding.h"

#include <gtest/gtest.h>

namespace {

using prtbench::TextEncoding;

std::string Bytes(std::initializer_list<int> values) {
  std::string out;
  for (int v : values) out += static_cast<char>(v);
  return out;
}

TEST(Encoding, FilesAreReadByTheirMarkAndWrittenBackByteForByte) {
  struct Row {
    std::string name;
    std::string file;
    std::string text;
    TextEncoding encoding;
    bool ok;
  };
  const Row rows[] = {
      {"ansi", "caf\xE9\r\n", "café\r\n", TextEncoding::Ansi, true},
      {"utf-8 mark", Bytes({0xEF, 0xBB, 0xBF, 'a', 0xC3, 0xA7, 0xE4, 0xB8, 0xAD}), "aç中", TextEncoding::Utf8, true},
      {"utf-16le mark", Bytes({0xFF, 0xFE, 'a', 0, 0xE7, 0, 0x2D, 0x4E, 0x3D, 0xD8, 0x00, 0xDE}), "aç中😀",
       TextEncoding::Utf16Le, true},
      {"utf-16be mark", Bytes({0xFE, 0xFF, 0, 'a', 0, 0xE7, 0x4E, 0x2D}), "aç中", TextEncoding::Utf16Be, true},
      {"ansi with a zero", std::string("AB\0CD", 5), "", TextEncoding::Ansi, false},
      {"utf-8 with a zero", Bytes({0xEF, 0xBB, 0xBF, 'a', 0, 'b'}), "", TextEncoding::Ansi, false},
      {"utf-16 without a mark", Bytes({'a', 0, 'b', 0}), "", TextEncoding::Ansi, false},
      {"utf-16le with a zero character", Bytes({0xFF, 0xFE, 'a', 0, 0, 0}), "", TextEncoding::Ansi, false},
  };
  for (const Row& row : rows) {
    const prtbench::FileContent read = prtbench::ContentFromFile(row.file);
    EXPECT_EQ(read.ok, row.ok) << row.name;
    if (!row.ok) continue;
    EXPECT_EQ(read.text, row.text) << row.name;
    EXPECT_EQ(read.encoding, row.encoding) << row.name;
    EXPECT_EQ(prtbench::FileFromContent(read.text, read.encoding), row.file) << row.name;
  }
}

}  // namespace
