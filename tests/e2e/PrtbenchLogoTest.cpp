// prtbench.exe under Wine: Logo Down opens the logo dialog on the shipped
// start logo, and its download and print reach vprinter byte for byte. The
// expected bytes come from ImageMagick's reading of the same file, packed here.
#include <gtest/gtest.h>

#include <algorithm>

#include "support/Driver.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;
using namespace std::string_literals;

namespace {

constexpr int kLogoDown = 32800, kLogoStatus = 1107, kDownload = 1015, kPrint = 1016;

// FS q of one image as the printer must receive it: the picture read by
// ImageMagick, black where R + 256 G + 65536 B < 8000000, columns of 8-dot bytes.
std::string ExpectedDownload(const std::string& picture, int width, int height) {
  const std::string rgbFile = picture + ".rgb";
  if (RunShell("convert " + ShellQuote(picture) + " -depth 8 rgb:" + ShellQuote(rgbFile)) != 0) return {};
  const std::string rgb = ReadFile(rgbFile);
  const int w8 = (width + 7) / 8 * 8, h8 = (height + 7) / 8 * 8;
  std::string bytes = "\x1C\x71\x01"s + char(w8 / 8) + char(w8 / 8 >> 8) + char(h8 / 8) + char(h8 / 8 >> 8);
  for (int x = 0; x < w8; ++x) {
    for (int y0 = 0; y0 < h8; y0 += 8) {
      unsigned char cell = 0;
      for (int k = 0; k < 8 && x < width && y0 + k < height; ++k) {
        const auto* p = reinterpret_cast<const unsigned char*>(rgb.data()) + 3 * ((y0 + k) * width + x);
        if (p[0] + 256 * p[1] + 65536 * p[2] < 8000000) cell |= 0x80 >> k;
      }
      bytes += static_cast<char>(cell);
    }
  }
  return bytes + "\0\0\0"s;
}

TEST(PrtbenchLogo, TheStartLogoDownloadsAndPrintsByteForByte) {
  VPrinter printer("--tcp 127.0.0.61:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  e2e::Prtbench bench(e2e::NetIni("127.0.0.61"));
  ASSERT_TRUE(bench.Start());
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kLogoDown, 0), 0);
  const HWND logo = bench.WaitDialog(e2e::kPrtbenchCaption, kLogoStatus);
  ASSERT_NE(logo, nullptr);
  // the start picture beside the program, whatever the current folder
  EXPECT_EQ(e2e::ControlText(logo, kLogoStatus), "BMP: " + e2e::Narrow(WindowsPath(bench.dir())) +
                                                     "\\myTitle\\bitmap11.bmp  Width：256  Height：96  Size(bytes)：3328");
  e2e::Click(logo, kDownload);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(logo, kLogoStatus).rfind("Network send data", 0) == 0; }));
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsControlEnabled(logo, kDownload); }));
  e2e::Click(logo, kPrint);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(logo, kLogoStatus) == "Print Bitmap command  send successful"; }));
  // the print leaves its last connection open: the program's end closes it
  PostMessageW(logo, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(logo); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "close") >= 4; }));
  EXPECT_EQ(VPrinter::Count(printer.Journal(), "open"), 4);

  const std::string expected = ExpectedDownload(bench.dir() + "/myTitle/bitmap11.bmp", 256, 96);
  ASSERT_EQ(expected.size(), 7u + 32 * 96 + 3);
  EXPECT_EQ(printer.Bytes(1), expected);
  EXPECT_EQ(printer.Bytes(2), "\x1B\x40\x1B\x61\x01\x1D\x54\x1C\x70\x01\x30\x1B\x40\x00"s);
  EXPECT_EQ(printer.Bytes(3), "\x0A\x0A\x0A\x0A\x0A\x0A\x00"s);
  EXPECT_EQ(printer.Bytes(4), "\x1D\x56\x01\x00\x0A\x0A\x00"s);
}

}  // namespace
