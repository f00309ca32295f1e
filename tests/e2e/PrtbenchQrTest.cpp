// prtbench.exe under Wine, driven like a user: Imprimir QRCode in the advanced
// settings opens the QR dialog, Gerar previews the text through EnCodeQr.dll,
// and Imprimir prints it on vprinter; zbarimg reads the text back from both.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;

namespace {

constexpr int kAdvanced = 1030, kAdvancedQr = 1026;
constexpr int kQrText = 1020, kQrCut = 1024, kQrPicture = 1176, kQrPrint = 1015, kQrGenerate = 1017;

// The text zbarimg reads in `picture`; "" when it reads none.
std::string ReadSymbol(const std::string& picture) {
  const std::string out = picture + ".read";
  RunShell("zbarimg -q --raw " + ShellQuote(picture) + " >" + ShellQuote(out));
  std::string text = ReadFile(out);
  while (!text.empty() && text.back() == '\n') text.pop_back();
  return text;
}

TEST(PrtbenchQr, GerarPreviewsTheTextAndImprimirPrintsIt) {
  const std::string text = "https://example.test/receipt?n=42";
  VPrinter printer("--tcp 127.0.0.63:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  e2e::Prtbench bench(e2e::NetIni("127.0.0.63"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kAdvanced);
  const HWND advanced = bench.WaitDialog(e2e::kPrtbenchCaption, kAdvancedQr);
  ASSERT_NE(advanced, nullptr);
  e2e::Click(advanced, kAdvancedQr);
  const HWND qr = bench.WaitDialog(e2e::kPrtbenchCaption, kQrPicture);
  ASSERT_NE(qr, nullptr);

  e2e::SetControlText(qr, kQrText, text);
  e2e::Click(qr, kQrGenerate);
  const std::string preview = bench.dir() + "/TempQr.bmp";
  EXPECT_TRUE(e2e::WaitUntil([&] { return ReadSymbol(preview) == text; })) << ReadSymbol(preview);

  e2e::Click(qr, kQrCut);
  e2e::Click(qr, kQrPrint);
  // the cut ends the receipt: vprinter writes it when the last send arrives
  const std::string receipt = printer.dir() + "/receipt-1.png";
  ASSERT_TRUE(WaitForFile(receipt, 10000, true)) << printer.Log();
  EXPECT_EQ(ReadSymbol(receipt), text);
  PostMessageW(qr, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(qr); }));
  PostMessageW(advanced, WM_CLOSE, 0, 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return !IsWindow(advanced); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "close") >= 4; }));
  EXPECT_EQ(printer.Bytes(3), "\x1D\x28\x6B\x30\x80" + std::string(1, char(text.size() + 1)) + std::string(1, '\0') +
                                  text + std::string(1, '\0'));
}

}  // namespace
