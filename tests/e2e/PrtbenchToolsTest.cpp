// prtbench.exe's tools under Wine, driven like a user: Set New IP over NET
// reaches vprinter's status port, and the Atualização button starts the real
// firmware updater from myTitle.
#include <winsock2.h>

#include <gtest/gtest.h>

#include <commctrl.h>

#include "support/Driver.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;
using e2e::NetIni;
using e2e::Prtbench;

namespace {

constexpr int kNewIp = 1012, kSetIp = 1016, kFirmware = 1083;

// The computer's address as prtbench finds it: the local host name's first
// IPv4 address, first octet in the most significant byte; 0 if none.
DWORD LocalAddress() {
  WSADATA data{};
  if (WSAStartup(MAKEWORD(1, 1), &data) != 0) return 0;
  const hostent* host = gethostbyname("");
  DWORD address = 0;
  if (host && host->h_addrtype == AF_INET && host->h_addr_list[0]) {
    const auto* octets = reinterpret_cast<const unsigned char*>(host->h_addr_list[0]);
    address = (DWORD{octets[0]} << 24) | (DWORD{octets[1]} << 16) | (DWORD{octets[2]} << 8) | octets[3];
  }
  WSACleanup();
  return address;
}

std::string Dotted(DWORD address) {
  return std::to_string(address >> 24) + "." + std::to_string((address >> 16) & 255) + "." +
         std::to_string((address >> 8) & 255) + "." + std::to_string(address & 255);
}

TEST(PrtbenchTools, SetNewIpOverNetSendsTheAddressCommandToTheStatusPort) {
  // the printer must share the computer's /24; vprinter listens on loopback only
  const DWORD local = LocalAddress();
  if ((local >> 24) != 127) {
    GTEST_SKIP() << "the local host name's address is not loopback: " << Dotted(local);
  }
  const DWORD printer = (local & 0xFFFFFF00u) | ((local & 255) == 61 ? 62 : 61);
  VPrinter vprinter("--tcp " + Dotted(printer) + ":9100 --status " + Dotted(printer) + ":4000 --no-render");
  ASSERT_TRUE(vprinter.ready()) << vprinter.Log();
  Prtbench bench(NetIni(Dotted(printer)));
  ASSERT_TRUE(bench.Start());
  SendDlgItemMessageW(bench.main(), kNewIp, IPM_SETADDRESS, 0, 0xC0A87B64);  // 192.168.123.100
  e2e::Click(bench.main(), kSetIp);
  EXPECT_EQ(bench.TakeMessageBox(), "Printer address set success！");
  EXPECT_TRUE(bench.WaitStatus("Printer address set success！")) << bench.Status();
  ASSERT_TRUE(vprinter.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "close") >= 1; }));
  const JournalEvents journal = vprinter.Journal();
  ASSERT_EQ(VPrinter::Count(journal, "open"), 1);
  for (const auto& event : journal) {
    if (event.kind != "open") continue;
    EXPECT_EQ(event.source, "tcp:" + Dotted(printer) + ":4000");
  }
  EXPECT_EQ(vprinter.Bytes(1), "\x1f\x1b\x1f\x22\xc0\xa8\x7b\x64");
}

// The top-level window with `caption` of a process whose program lies in `dir`.
HWND UpdaterWindowIn(const std::wstring& dir, const std::wstring& caption) {
  HWND window = nullptr;
  while ((window = FindWindowExW(nullptr, window, L"#32770", caption.c_str()))) {
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    HANDLE process = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, pid);
    wchar_t image[MAX_PATH] = {};
    DWORD size = MAX_PATH;
    const bool ours = process && QueryFullProcessImageNameW(process, 0, image, &size) &&
                      _wcsnicmp(image, dir.c_str(), dir.size()) == 0;
    if (process) CloseHandle(process);
    if (ours && IsWindowVisible(window)) return window;
  }
  return nullptr;
}

TEST(PrtbenchTools, AtualizacaoStartsTheFirmwareUpdaterWindow) {
  Prtbench bench(NetIni("127.0.0.1"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kFirmware);
  const std::wstring updaterDir = WindowsPath(bench.dir() + "/myTitle/");
  HWND updater = nullptr;
  ASSERT_TRUE(e2e::WaitUntil([&] { return (updater = UpdaterWindowIn(updaterDir, L"Atualização Firmware")); }));
  PostMessageW(updater, WM_CLOSE, 0, 0);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !IsWindow(updater); }));
  EXPECT_TRUE(bench.program().Running());  // prtbench goes on
}

TEST(PrtbenchTools, AtualizacaoWithoutTheUpdaterSaysSo) {
  Prtbench bench(NetIni("127.0.0.1"));
  ASSERT_TRUE(bench.Remove("myTitle/fwflash.exe"));
  ASSERT_TRUE(bench.Start());
  e2e::Click(bench.main(), kFirmware);
  EXPECT_EQ(bench.TakeMessageBox(), "Failed to start the firmware updater myTitle\\fwflash.exe: make sure it is in "
                                    "the folder myTitle beside this program!");
}

}  // namespace
