// Receipts made by two ESC/POS encoders from npm (encoded/README.md), as
// vprinter prints them: the text dump keeps the prices in their column, and
// zbarimg reads their QR codes and barcodes off the page.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "PrintBench.h"

namespace {

using namespace printbench;

std::string Fixture(const std::string& name) {
  std::ifstream in(std::string(ENCODED_DIR) + "/" + name, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(EncodedReceipts, TextColumnsAndSymbolsReadBack) {
  struct Case {
    std::string file;
    std::vector<std::string> lines;  // in the text dump, in order
    std::vector<std::string> symbols;
  };
  const std::string gap(38, ' ');
  const Case cases[] = {
      {"encoder-a.bin", {"Coffee" + gap + "3.20", "Croissant" + std::string(35, ' ') + "2.50", "Total" + std::string(39, ' ') + "5.70",
        "[raster image 64x64]"},
       {"EAN-13:4006381333931", "QR-Code:https://example.invalid/r/1001"}},
      {"encoder-b.bin", {"Coffee" + gap + "3.20", "Croissant" + std::string(35, ' ') + "2.50", "Total" + std::string(39, ' ') + "5.70"},
       {"EAN-13:4006381333931", "QR-Code:https://example.invalid/r/1002"}},
  };
  for (const Case& c : cases) {
    const std::string bytes = Fixture(c.file);
    ASSERT_FALSE(bytes.empty()) << c.file;
    Bench bench;
    bench.Feed(bytes);
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.file;
    const Receipt& receipt = bench.out.receipts[0];
    size_t at = 0;
    for (const std::string& line : c.lines) {
      while (at < receipt.text.size() && receipt.text[at] != line) ++at;
      EXPECT_LT(at, receipt.text.size()) << c.file << ": " << line << "\n" << testing::PrintToString(receipt.text);
    }
    std::vector<std::string> read = Zbar(receipt.page);
    std::sort(read.begin(), read.end());
    EXPECT_EQ(read, c.symbols) << c.file;
    EXPECT_FALSE(bench.out.Noted("unknown")) << testing::PrintToString(bench.out.notes);
  }
}

}  // namespace
