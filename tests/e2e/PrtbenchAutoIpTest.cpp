// prtbench.exe under Wine in a namespace of its own (tests/support/netns-pair),
// driven like a user: Auto Set IP finds the two virtual printers answering
// over the veth pair, and Save gives the chosen one its new address.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include "support/Prtbench.h"
#include "support/VPrinter.h"

namespace {

using testsupport::VPrinter;

constexpr int kAutoIp = 1022, kSearch = 1248, kList = 1249, kIp = 1253, kSave = 1250;

int Lines(HWND dialog) { return static_cast<int>(SendDlgItemMessageW(dialog, kList, LB_GETCOUNT, 0, 0)); }

std::string Line(HWND dialog, int index) {
  wchar_t text[64] = {};
  SendDlgItemMessageW(dialog, kList, LB_GETTEXT, index, reinterpret_cast<LPARAM>(text));
  return e2e::Narrow(text);
}

std::string Record(const VPrinter& printer) { return testsupport::ReadFile(printer.dir() + "/discovery"); }

TEST(PrtbenchAutoIp, FindsTwoVirtualPrintersAndSaveChangesTheChosenOnesAddress) {
  ASSERT_FALSE(testsupport::Env("KIT_PRINTER_NETNS").empty()) << "run through tests/support/netns-pair --wine";
  VPrinter first("--no-render --tcp 127.0.0.1:9100 --udp 0.0.0.0:9000 --mac 02-00-5E-00-01-0A --ip 10.77.0.31");
  VPrinter second("--no-render --tcp 127.0.0.2:9100 --udp 0.0.0.0:9000 --mac 02-00-5E-00-01-0B --ip 10.77.0.32");
  ASSERT_TRUE(first.ready()) << first.Log();
  ASSERT_TRUE(second.ready()) << second.Log();
  e2e::Prtbench bench(e2e::NetIni("10.77.0.31"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kAutoIp);
  const HWND dialog = bench.program().WaitWindow(L"Auto Set IP");
  ASSERT_NE(dialog, nullptr);
  e2e::Click(dialog, kSearch);
  ASSERT_TRUE(e2e::WaitUntil([&] { return Lines(dialog) == 2; })) << Lines(dialog);
  EXPECT_EQ(Line(dialog, 0), "02-00-5E-00-01-0A");
  EXPECT_EQ(Line(dialog, 1), "02-00-5E-00-01-0B");
  // the user picks the second printer and types its new address
  SendDlgItemMessageW(dialog, kList, LB_SETCURSEL, 1, 0);
  SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(kList, LBN_SELCHANGE),
               reinterpret_cast<LPARAM>(GetDlgItem(dialog, kList)));
  // the address box's text: IPM_GETADDRESS's pointer does not cross processes
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::ControlText(dialog, kIp) == "10.77.0.32"; }))
      << e2e::ControlText(dialog, kIp);
  SendDlgItemMessageW(dialog, kIp, IPM_SETADDRESS, 0, 0x0A4D0063u);  // 10.77.0.99
  e2e::Click(dialog, kSave);
  EXPECT_TRUE(e2e::WaitUntil([&] { return Record(second).find(" ip 10.77.0.99 ") != std::string::npos; }))
      << Record(second);
  EXPECT_NE(Record(first).find(" ip 10.77.0.31 "), std::string::npos) << Record(first);
  PostMessageW(dialog, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(dialog); }));
  EXPECT_EQ(bench.Close(), 0u);
}

}  // namespace
