// prtbench.exe under Wine, driven like a user: the NetMonitor button opens
// the monitor, Start watches vprinter's status port, the lamps show paper out
// when vprinter reports it, and closing the program while monitoring ends it;
// both Net Settings menu items open the dialog, whose frames reach vprinter.
#include <gtest/gtest.h>

#include "support/Prtbench.h"
#include "support/VPrinter.h"

namespace {

using testsupport::VPrinter;

constexpr int kNetMonitor = 1067, kStart = 1014, kStop = 1015, kNoPaperLamp = 1101, kOnlineLamp = 1102, kCoverLamp = 1100;

TEST(PrtbenchNetMonitor, ShowsPaperOutWhenTheVirtualPrinterReportsItAndEndsWithTheProgram) {
  VPrinter printer("--no-render --tcp 127.0.0.71:9100 --status 127.0.0.71:4000");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  e2e::Prtbench bench(e2e::NetIni("127.0.0.71"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kNetMonitor);
  const HWND monitor = bench.program().WaitWindow(L"Net Monitoring");
  ASSERT_NE(monitor, nullptr);
  EXPECT_EQ(e2e::ControlText(monitor, kNoPaperLamp), "black");
  e2e::Click(monitor, kStart);
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(monitor, kOnlineLamp) == "green"; }));
  EXPECT_TRUE(e2e::WaitUntil([&] {
    return bench.Status() == "Network monitoring connection is successful, are monitoring!";
  })) << bench.Status();
  EXPECT_EQ(e2e::ControlText(monitor, kNoPaperLamp), "green");
  ASSERT_TRUE(testsupport::WriteFile(printer.dir() + "/conditions", "paper-out\n"));
  EXPECT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(monitor, kNoPaperLamp) == "red"; }));
  EXPECT_EQ(e2e::ControlText(monitor, kOnlineLamp), "red");
  EXPECT_EQ(e2e::ControlText(monitor, kCoverLamp), "green");
  // the program ends while the monitor polls: its shutdown stops the thread
  EXPECT_EQ(bench.Close(), 0u);
  EXPECT_TRUE(printer.WaitJournal([](const auto& j) { return VPrinter::Count(j, "close") >= 1; }));
}

TEST(PrtbenchNetMonitor, StopDarkensTheLampsAndSaysMonitoringQuit) {
  VPrinter printer("--no-render --tcp 127.0.0.72:9100 --status 127.0.0.72:4000 --cover-open");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  e2e::Prtbench bench(e2e::NetIni("127.0.0.72"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kNetMonitor);
  const HWND monitor = bench.program().WaitWindow(L"Net Monitoring");
  ASSERT_NE(monitor, nullptr);
  e2e::Click(monitor, kStart);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(monitor, kCoverLamp) == "red"; }));
  e2e::Click(monitor, kStop);
  EXPECT_TRUE(e2e::WaitUntil([&] { return bench.Status() == "Network monitoring has quit!"; })) << bench.Status();
  EXPECT_EQ(e2e::ControlText(monitor, kCoverLamp), "black");
  EXPECT_EQ(bench.Close(), 0u);
}

TEST(PrtbenchNetSettings, BothMenuItemsOpenTheDialogAndItsFramesReachThePrinter) {
  constexpr int kEnglishItem = 32844, kChineseItem = 32845, kSsid = 1194, kKey = 1021, kSetWifi = 1022, kReturn = 1197;
  VPrinter printer("--no-render --tcp 127.0.0.73:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  e2e::Prtbench bench(e2e::NetIni("127.0.0.73"));
  ASSERT_TRUE(bench.Start());
  int connection = 0;
  for (int item : {kEnglishItem, kChineseItem}) {
    PostMessageW(bench.main(), WM_COMMAND, MAKEWPARAM(item, 0), 0);
    const HWND dialog = bench.program().WaitWindow(L"Net Settings");
    ASSERT_NE(dialog, nullptr) << item;
    e2e::SetControlText(dialog, kSsid, "shop");
    e2e::SetControlText(dialog, kKey, "pw");
    e2e::Click(dialog, kSetWifi);
    ++connection;
    // the link keeps the connection open until its next send
    ASSERT_TRUE(printer.WaitJournal([&](const auto&) { return printer.Bytes(connection).size() >= 13; }))
        << bench.Status();
    // security 6 (WPA2_AES_PSK), the default
    EXPECT_EQ(printer.Bytes(connection), std::string("\x1F\x1B\x1F\xB3\x06shop\x00pw\x00", 13)) << item;
    e2e::Click(dialog, kReturn);
    EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); }));
  }
  EXPECT_EQ(bench.Close(), 0u);
}

}  // namespace
