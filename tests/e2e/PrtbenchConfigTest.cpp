// prtbench.exe under Wine, driven like a user through the configuration
// dialogs: the advanced settings opened from the main window and the black
// mark dialog from its menu send their exact frames to vprinter, and the
// outcomes reach the main window's status line.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;
using e2e::NetIni;
using e2e::Prtbench;

namespace {

constexpr int kAdvanced = 1030, kPrint = 1031, kBlackMarkCommand = 32841, kChineseCommand = 32840;
constexpr int kDensityList = 1008, kDensitySet = 1016, kCodePageList = 1007, kCodePageSet = 1017, kBack = 1014;
constexpr int kBlackMarkOn = 1023;

bool Closed(const VPrinter& printer, int connections) {
  return printer.WaitJournal([&](const JournalEvents& j) { return VPrinter::Count(j, "close") >= connections; });
}

TEST(PrtbenchConfig, AdvancedSettingsSendDensityAndCodePage) {
  VPrinter printer("--tcp 127.0.0.51:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.51"));
  ASSERT_TRUE(bench.Start());
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kChineseCommand, 0), 0);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(bench.main(), kPrint) == "打印"; }));
  e2e::Click(bench.main(), kAdvanced);
  const HWND advanced = bench.WaitDialog(e2e::kPrtbenchCaption);
  ASSERT_NE(advanced, nullptr);
  e2e::SelectCombo(advanced, kDensityList, 7);
  e2e::Click(advanced, kDensitySet);
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "open") >= 1; }));
  e2e::SelectCombo(advanced, kCodePageList, 28);
  e2e::Click(advanced, kCodePageSet);
  EXPECT_TRUE(Closed(printer, 1));
  // opening the advanced settings switched the program's messages to English
  EXPECT_TRUE(bench.WaitStatusPrefix("Network send data successfully")) << bench.Status();
  e2e::Click(advanced, kBack);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(advanced); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 2));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1f\x1b\x1f\x13\x14\x08\x00\x00\x00\x00", 10));
  EXPECT_EQ(printer.Bytes(2), std::string("\x1f\x1b\x1f\xff\xff\x0a\x00", 7));
}

TEST(PrtbenchConfig, BlackMarkFromTheMenuSwitchesDetectionOnAndSaysSo) {
  VPrinter printer("--tcp 127.0.0.52:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  Prtbench bench(NetIni("127.0.0.52"));
  ASSERT_TRUE(bench.Start());
  PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(kBlackMarkCommand, 0), 0);
  const HWND blackMark = bench.WaitDialog(L"BlaceMarkSet");
  ASSERT_NE(blackMark, nullptr);
  e2e::Click(blackMark, kBlackMarkOn);
  EXPECT_TRUE(bench.WaitStatusPrefix("Open Black Mark successful!")) << bench.Status();
  PostMessageW(blackMark, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(blackMark); }));
  EXPECT_EQ(bench.Close(), 0u);
  ASSERT_TRUE(Closed(printer, 1));
  EXPECT_EQ(printer.Bytes(1), std::string("\x1f\x1b\x1f\x80\x04\x05\x06\x44", 8));
}

}  // namespace
