// The four QR print sends, and the preview library's conventions.
#include <gtest/gtest.h>

#include <string>

#include "prtbench/imaging/Qr.h"

namespace {

using namespace prtbench;

TEST(Qr, PrintSendsForAbc) {
  const auto sends = QrPrintSends("ABC", 6, 0, false);
  EXPECT_EQ(sends[0], (Bytes{0x1B, 0x40, 0x0A, 0x1D, 0x28, 0x6B, 0x30, 0x67, 0x07}));
  EXPECT_EQ(sends[1], (Bytes{0x1D, 0x28, 0x6B, 0x30, 0x69, 0x48}));
  EXPECT_EQ(sends[2], (Bytes{0x1D, 0x28, 0x6B, 0x30, 0x80, 0x04, 0x00, 0x41, 0x42, 0x43, 0x00}));
  EXPECT_EQ(sends[3], (Bytes{0x1D, 0x28, 0x6B, 0x30, 0x81, 0x1B, 0x4A, 0xC8}));
}

TEST(Qr, ListPositionsCutAndLength) {
  struct Case {
    int scale, ecc;
    std::uint8_t s, e;
  };
  for (const Case& c : {Case{15, 3, 0x10, 0x51}, Case{0, 1, 0x01, 0x49}, Case{6, 2, 0x07, 0x50}, Case{-1, -1, 0x00, 0x48},
                        Case{255, 4, 0x00, 0x48}}) {
    const auto sends = QrPrintSends("x", c.scale, c.ecc, false);
    EXPECT_EQ(sends[0].back(), c.s) << c.scale;
    EXPECT_EQ(sends[1].back(), c.e) << c.ecc;
  }
  const auto cut = QrPrintSends("", 6, 0, true);
  EXPECT_EQ(cut[2], (Bytes{0x1D, 0x28, 0x6B, 0x30, 0x80, 0x01, 0x00, 0x00}));
  EXPECT_EQ(cut[3], (Bytes{0x1D, 0x28, 0x6B, 0x30, 0x81, 0x1B, 0x4A, 0xFA, 0x1D, 0x56, 0x01}));
  const std::string text(300, 'q');
  const Bytes store = QrPrintSends(text, 6, 0, false)[2];
  ASSERT_EQ(store.size(), 308u);
  EXPECT_EQ(store[5], 0x2D);
  EXPECT_EQ(store[6], 0x01);
  EXPECT_EQ(store.back(), 0x00);
}

TEST(Qr, ResultComparesAsPrintedTextAgainstNull) {
  struct Case {
    const char* result;
    bool success;
  };
  for (const Case& c : {Case{nullptr, false}, Case{"", false}, Case{"(null)", false}, Case{"(", false},
                        Case{"(nulm", true}, Case{"!", false}, Case{"OK", true}, Case{"\xC8", true}}) {
    EXPECT_EQ(QrResultSucceeded(c.result), c.success) << (c.result ? c.result : "null");
  }
}

TEST(Qr, SettingsPathHasEveryBackslashDoubled) {
  EXPECT_EQ(DoubleBackslashes("C:\\kit\\Printer.ini"), "C:\\\\kit\\\\Printer.ini");
  EXPECT_EQ(DoubleBackslashes("\\\\host\\s"), "\\\\\\\\host\\\\s");
  EXPECT_EQ(DoubleBackslashes("plain"), "plain");
}

}  // namespace
