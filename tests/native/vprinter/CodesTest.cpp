// QR symbols and barcodes as the kit sends them, read back by zbarimg.
#include <gtest/gtest.h>

#include "PrintBench.h"

namespace {

using namespace printbench;

// The kit's QR print: ESC @, LF, module size, error correction, store, print.
std::string KitQr(const std::string& text, int scale, int ecc) {
  const size_t n = text.size() + 1;
  return B({0x1B, 0x40, 0x0A, 0x1D, 0x28, 0x6B, 0x30, 0x67, scale}) + B({0x1D, 0x28, 0x6B, 0x30, 0x69, ecc}) +
         B({0x1D, 0x28, 0x6B, 0x30, 0x80, static_cast<int>(n & 0xFF), static_cast<int>(n >> 8)}) + text +
         B({0x00, 0x1D, 0x28, 0x6B, 0x30, 0x81, 0x1B, 0x4A, 0xC8});
}

TEST(Codes, QrSymbolsDecodeToTheirText) {
  struct Case {
    std::string bytes, decoded, marker;
  };
  const std::string long300(300, 'q');
  const Case cases[] = {
      {KitQr("ABC", 7, 0x48), "QR-Code:ABC", "[QR code: ABC]"},
      {KitQr("https://example.invalid/receipt?id=42", 4, 0x51), "QR-Code:https://example.invalid/receipt?id=42", ""},
      {KitQr(long300, 3, 0x49), "QR-Code:" + long300, ""},
      // the standard form: model, size, level, store (m = 48), print
      {B({0x1D, 0x28, 0x6B, 0x04, 0x00, 0x31, 0x41, 0x32, 0x00, 0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x43, 0x05,
          0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x45, 0x31, 0x1D, 0x28, 0x6B, 0x06, 0x00, 0x31, 0x50, 0x30, 'x',
          'y', 'z', 0x1D, 0x28, 0x6B, 0x03, 0x00, 0x31, 0x51, 0x30}),
       "QR-Code:xyz", "[QR code: xyz]"},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes);
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.decoded;
    EXPECT_EQ(Zbar(bench.out.receipts[0].page), std::vector<std::string>{c.decoded});
    if (!c.marker.empty()) {
      EXPECT_EQ(bench.out.receipts[0].text.back(), c.marker);
    }
  }
}

TEST(Codes, TheKitsQrBytesGiveModuleSizeAndLevel) {
  Bench bench;
  bench.Feed(KitQr("ABC", 7, 0x48));
  ASSERT_EQ(bench.Receipts().size(), 1u);
  // version 1 (21 modules) and a quiet zone of 4 on each side, 7 dots a module;
  // the LF before it feeds one line
  EXPECT_EQ(bench.out.receipts[0].page.height, 30 + 29 * 7 + 200);
}

TEST(Codes, AQrSymbolWiderThanThePaperIsNotPrinted) {
  Bench bench(384);
  bench.Feed(KitQr(std::string(400, 'w'), 16, 0x51));
  EXPECT_TRUE(bench.out.Noted("dots wide: not printed"));
  EXPECT_TRUE(bench.Receipts().empty());
}

// The kit's barcode sample: ESC @, centre, no HRI, module width, height,
// GS k m n data, the caption, two line feeds, ESC @ and a zero.
std::string KitBarcode(int m, int width, const std::string& data, const std::string& caption) {
  return B({0x1B, 0x40, 0x1B, 0x61, 0x01, 0x1D, 0x48, 0x00, 0x1D, 0x77, width, 0x1D, 0x68, 0x80, 0x1D, 0x6B, m,
            static_cast<int>(data.size())}) +
         data + caption + B({0x0A, 0x0A, 0x1B, 0x40, 0x00});
}

TEST(Codes, TheKitsBarcodeSamplesDecodeToTheirData) {
  struct Case {
    int m, width;
    std::string data, caption, decoded;
  };
  const Case cases[] = {
      {0x41, 3, "01234567890", "UPC_A 012345678905", "EAN-13:0012345678905"},
      {0x43, 3, "012345678901", "EAN(JAN)13 012345678901", "EAN-13:0123456789012"},
      {0x44, 3, "0123456", "EAN(JAN)8 0123456", "EAN-8:01234565"},
      {0x45, 3, "0123456", "CODE39 0123456", "CODE-39:0123456"},
      {0x46, 3, "0123456789", "ITF 0123456789", "I2/5:0123456789"},
      {0x47, 2, "B1234567890B", "CODABAR 0123456789", "Codabar:B1234567890B"},
      {0x48, 3, "0123456789", "CODE93 0123456789", "CODE-93:0123456789"},
      {0x49, 3, "{B01234567", "CODE128 01234567", "CODE-128:01234567"},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(KitBarcode(c.m, c.width, c.data, c.caption));
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.caption;
    EXPECT_EQ(Zbar(bench.out.receipts[0].page), std::vector<std::string>{c.decoded}) << c.caption;
    EXPECT_EQ(bench.out.receipts[0].text[1], c.caption);
  }
}

TEST(Codes, BarcodeDataTheSymbologyRefusesIsNotPrinted) {
  struct Case {
    std::string bytes, note;
  };
  const Case cases[] = {
      // the kit's UPC-E sample: a UPC-A number without a zero-suppressed form
      {KitBarcode(0x42, 3, "01234567890", ""), "UPC-E: 01234567890 has no zero-suppressed form"},
      {KitBarcode(0x46, 3, "012", ""), "ITF takes an even number of digits"},
      {KitBarcode(0x49, 3, "01234567", ""), "CODE128 data must start with a code set"},
      {KitBarcode(0x43, 3, "01234", ""), "EAN13 takes 12 or 13 digits"},
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes);
    EXPECT_TRUE(bench.out.Noted(c.note)) << testing::PrintToString(bench.out.notes);
    EXPECT_TRUE(bench.Receipts().empty());
  }
}

TEST(Codes, OtherBarcodeFormsDecode) {
  struct Case {
    std::string bytes, decoded;
    int height, barsTop;  // the bars are 0x50 dots from barsTop down
  };
  // first form, ended by NUL, centred, 0x50 high, HRI `hri` in font `face`
  const auto code39 = [](int hri, int face) {
    return B({0x1B, 0x61, 0x01, 0x1D, 0x48, hri, 0x1D, 0x66, face, 0x1D, 0x68, 0x50, 0x1D, 0x6B, 0x04}) + "ABC" +
           B({0x00});
  };
  const Case cases[] = {
      {code39(2, 0), "CODE-39:ABC", 0x50 + 24, 0},   // HRI below (24 more dots)
      {code39(1, 0), "CODE-39:ABC", 0x50 + 24, 24},  // above
      {code39(3, 0), "CODE-39:ABC", 0x50 + 48, 24},  // both
      {code39(2, 1), "CODE-39:ABC", 0x50 + 17, 0},   // below in font B
      // UPC-E from a UPC-A number that has a zero-suppressed form (zbarimg
      // reports UPC-E expanded to the number it stands for)
      {B({0x1B, 0x61, 0x01, 0x1D, 0x68, 0x50, 0x1D, 0x6B, 0x42, 0x0B}) + "01200000345", "EAN-13:0012000003455", 0x50, 0},
      // code set C: each byte two digits
      {B({0x1B, 0x61, 0x01, 0x1D, 0x68, 0x50, 0x1D, 0x6B, 0x49, 0x05, '{', 'C', 12, 34, 56}), "CODE-128:123456", 0x50, 0},
  };
  const auto rowInk = [](const Bitmap& page, int y) {
    int n = 0;
    for (int x = 0; x < page.width; ++x) n += page.Get(x, y);
    return n;
  };
  for (const Case& c : cases) {
    Bench bench;
    bench.Feed(c.bytes + B({0x1D, 0x56, 0x00}));
    ASSERT_EQ(bench.Receipts().size(), 1u) << c.decoded;
    const Bitmap& page = bench.out.receipts[0].page;
    EXPECT_EQ(Zbar(page), std::vector<std::string>{c.decoded});
    EXPECT_EQ(page.height, c.height) << c.decoded;
    // the first and last rows of bars are alike, and darker than text
    EXPECT_EQ(rowInk(page, c.barsTop), rowInk(page, c.barsTop + 0x4F)) << c.decoded << " " << c.barsTop;
    EXPECT_GT(rowInk(page, c.barsTop), 60) << c.decoded << " " << c.barsTop;
  }
}

}  // namespace

namespace {

// GS ( k pL pH 48 fn params.
std::string Pdf417(int fn, const std::string& params) {
  const size_t size = params.size() + 2;
  return printbench::B({0x1D, 0x28, 0x6B, static_cast<int>(size & 0xFF), static_cast<int>(size >> 8), 48, fn}) + params;
}

TEST(Codes, Pdf417RowsStartWithTheStartPatternAtTheChosenSize) {
  using printbench::B;
  printbench::Bench bench;
  bench.Feed(Pdf417(67, B({2})) + Pdf417(68, B({3})) + Pdf417(65, B({4})) + Pdf417(69, B({48, 50})) +
             Pdf417(80, "0" + std::string("PDF417 receipt 1001")) + Pdf417(81, "0") + B({0x1D, 0x56, 0x00}));
  ASSERT_EQ(bench.Receipts().size(), 1u) << testing::PrintToString(bench.out.notes);
  const printbench::Bitmap& page = bench.out.receipts[0].page;
  EXPECT_EQ(bench.out.receipts[0].text, std::vector<std::string>{"[PDF417: PDF417 receipt 1001]"});
  ASSERT_EQ(page.height % 6, 0);  // rows 3 module widths of 2 dots high
  ASSERT_GE(page.height / 6, 3);
  const std::string start = "11111111010101000";  // every row's start pattern
  for (int row = 0; row < page.height / 6; ++row) {
    std::string seen;
    for (int module = 0; module < 17; ++module) seen += page.Get(module * 2, row * 6 + 3) ? '1' : '0';
    EXPECT_EQ(seen, start) << "row " << row;
  }
  // four data columns: start 17, left and right indicators 17 each, 4 x 17, stop 18
  int right = 0;
  for (int x = 0; x < page.width; ++x) right = page.Get(x, 3) ? x : right;
  EXPECT_EQ(right + 1, (17 + 17 + 4 * 17 + 17 + 18) * 2);
}

}  // namespace
