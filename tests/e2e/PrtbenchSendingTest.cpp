// prtbench.exe under Wine, driven like a user: content typed, Print and the
// command buttons clicked, the status line and message boxes read; vprinter
// (or a pty for COM) receives the bytes.
#include <gtest/gtest.h>

#include <memory>

#include "support/Driver.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;
using e2e::NetIni;
using e2e::Prtbench;

namespace {

constexpr int kContent = 1019, kHex = 1024, kRepeat = 1020, kNumbering = 1215, kAutoSend = 1081, kPeriod = 1082;
constexpr int kPrint = 1031, kCut = 1027, kDrawer = 1026, kComRadio = 1001, kComList = 1008;
constexpr int kChineseCommand = 32840;
const std::string kNetOk = "Network send data successfully";

// Types `content` into the content box and presses Print.
void Print(const Prtbench& bench, const std::string& content) {
  e2e::SetControlText(bench.main(), kContent, content);
  e2e::Click(bench.main(), kPrint);
}

bool Closed(const VPrinter& printer, int connections) {
  return printer.WaitJournal([&](const JournalEvents& j) { return VPrinter::Count(j, "close") >= connections; });
}

TEST(PrtbenchSending, PrintSendsTheTextAndShowsTheOutcome) {
  VPrinter printer("--tcp 127.0.0.41:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.41"));
  ASSERT_TRUE(bench.Start());
  Print(bench, "ABC");
  EXPECT_TRUE(bench.WaitStatus(kNetOk + " current sended:3 bytes,total sended:3 bytes ")) << bench.Status();
  Print(bench, "é");
  ASSERT_TRUE(bench.WaitStatus(kNetOk + " current sended:1 bytes,total sended:4 bytes ")) << bench.Status();
  ASSERT_TRUE(Closed(printer, 1));
  EXPECT_EQ(printer.Bytes(1), "ABC");
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 2));
  EXPECT_EQ(printer.Bytes(2), "\x82");
}

TEST(PrtbenchSending, HexSendsItsBytesAndABadDigitSendsNothing) {
  VPrinter printer("--tcp 127.0.0.42:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.42"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kHex);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsChecked(bench.main(), kHex); }));
  Print(bench, "1b 4g");
  const auto box = e2e::WaitMessageBox(bench.program());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "Hexadecimal character input Error！");
  EXPECT_TRUE(e2e::CloseMessageBox(box->box));
  Print(bench, "1b 40");
  ASSERT_TRUE(bench.WaitStatusPrefix(kNetOk));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 1));
  // the first connection carries the good bytes: the bad text sent nothing
  EXPECT_EQ(printer.Bytes(1), "\x1b\x40");
  EXPECT_EQ(VPrinter::Count(printer.Journal(), "open"), 1);
}

TEST(PrtbenchSending, EmptyContentShowsTheBox) {
  VPrinter printer("--tcp 127.0.0.43:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.43"));
  ASSERT_TRUE(bench.Start());
  Print(bench, "");
  const auto box = e2e::WaitMessageBox(bench.program());
  ASSERT_TRUE(box);
  EXPECT_EQ(box->text, "The input data is empty!");
  EXPECT_TRUE(e2e::CloseMessageBox(box->box));
  EXPECT_EQ(bench.Close(), 0u);
  EXPECT_EQ(VPrinter::Count(printer.Journal(), "open"), 0);
}

TEST(PrtbenchSending, ThreeNumberedRepetitionsGoOverSixConnections) {
  VPrinter printer("--tcp 127.0.0.44:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.44"));
  ASSERT_TRUE(bench.Start());
  e2e::SetControlText(bench.main(), kRepeat, "3");
  e2e::Click(bench.main(), kNumbering);
  Print(bench, "ABC");
  ASSERT_TRUE(bench.WaitStatus(kNetOk + " current sended:3 bytes,total sended:27 bytes ")) << bench.Status();
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 6));
  const char* expected[] = {"No.1\r\n", "ABC", "No.2\r\n", "ABC", "No.3\r\n", "ABC"};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(printer.Bytes(i + 1), expected[i]) << i;
}

TEST(PrtbenchSending, CutAndDrawerSendTheirCommands) {
  VPrinter printer("--tcp 127.0.0.45:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.45"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kCut);
  e2e::Click(bench.main(), kDrawer);
  EXPECT_TRUE(bench.WaitStatus("Open the cash box success")) << bench.Status();
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 2));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1d\x56\x42\x00\x0a\x0a\x00", 7));
  EXPECT_EQ(printer.Bytes(2), std::string("\x1b\x70\x00\x1e\xff\x00", 6));
}

TEST(PrtbenchSending, DrawerWithNoPrinterSaysItFailed) {
  // nothing listens on this loopback address
  Prtbench bench(NetIni("127.0.0.46"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kDrawer);
  EXPECT_TRUE(bench.WaitStatus("Failed to open the cash box")) << bench.Status();
  EXPECT_EQ(bench.Close(), 0u);
}

TEST(PrtbenchSending, AutomaticSendingRepeatsTheTextWithItsZero) {
  VPrinter printer("--tcp 127.0.0.47:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.47"));
  ASSERT_TRUE(bench.Start());
  e2e::SetControlText(bench.main(), kContent, "ABC");
  e2e::SetControlText(bench.main(), kPeriod, "1");
  e2e::Click(bench.main(), kAutoSend);
  ASSERT_TRUE(Closed(printer, 2));
  EXPECT_FALSE(e2e::IsControlEnabled(bench.main(), kPrint));
  e2e::Click(bench.main(), kAutoSend);
  EXPECT_TRUE(bench.WaitStatusPrefix("Automatic sending thread was exit！   ")) << bench.Status();
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::IsControlEnabled(bench.main(), kPrint); }));
  EXPECT_EQ(bench.Close(), 0u);
  const int connections = VPrinter::Count(printer.Journal(), "close");
  ASSERT_GE(connections, 2);
  for (int i = 1; i <= connections; ++i) EXPECT_EQ(printer.Bytes(i), std::string("ABC\0", 4)) << i;
}

TEST(PrtbenchSending, ComPrintGoesThroughThePty) {
  const std::string peer = MapComPort(7);
  ASSERT_FALSE(peer.empty());
  const std::string received = MakeTempDir() + "/received";
  ASSERT_TRUE(StartShell("timeout 20 head -c 3 " + ShellQuote(peer) + " >" + ShellQuote(received + ".part") + "; mv " +
                         ShellQuote(received + ".part") + " " + ShellQuote(received)));
  Prtbench bench("[Printer Set]\r\nPort Select=1\r\n[Port Name]\r\nCom Name=COM7\r\n");
  ASSERT_TRUE(bench.Start());
  Print(bench, "ABC");
  EXPECT_TRUE(bench.WaitStatus("COM7 has been sent the data,if the printer is no action,please detect connection! "
                               "current sended:3 bytes,total sended:3 bytes "))
      << bench.Status();
  ASSERT_TRUE(WaitForFile(received, 20000));
  EXPECT_EQ(ReadFile(received), "ABC");
  EXPECT_EQ(bench.Close(), 0u);
}

TEST(PrtbenchSettings, ExitWritesTheChoicesOfTheRun) {
  Prtbench bench(NetIni("127.0.0.48") + "[Language Select]\r\nLanguage=1\r\n");
  ASSERT_TRUE(bench.Start());
  // started English whatever the file said
  EXPECT_EQ(e2e::ControlText(bench.main(), kPrint), "Teste Impressão");
  e2e::Click(bench.main(), kComRadio);
  e2e::SelectCombo(bench.main(), kComList, 8);
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kChineseCommand, 0), 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(bench.main(), kPrint) == "打印"; }));
  ASSERT_TRUE(bench.WaitStatus("Serial Port: COM9")) << bench.Status();
  EXPECT_EQ(bench.Close(), 0u);
  const std::string ini = bench.Ini();
  for (const char* line : {"IP=127.0.0.48", "Com Name=COM9", "Lpt Name=LPT1", "Port Select=1", "Printer Select=2",
                           "BaudRate Select=9600", "Language=1"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  }
}

TEST(PrtbenchSettings, FirstRunWithoutAFileWritesTheDefaults) {
  Prtbench bench("");
  ASSERT_TRUE(bench.Start());
  EXPECT_TRUE(e2e::IsChecked(bench.main(), 1003));  // NET
  EXPECT_EQ(bench.Close(), 0u);
  const std::string ini = bench.Ini();
  for (const char* line : {"[Printer Address]", "IP=192.168.123.100", "Com Name=COM1", "Lpt Name=LPT1",
                           "Port Select=3", "Printer Select=2", "BaudRate Select=9600", "Language=0"}) {
    EXPECT_NE(ini.find(line), std::string::npos) << line << "\n" << ini;
  }
  EXPECT_EQ(ini.find("ProID"), std::string::npos);
}

}  // namespace
