// rkit.exe, the Windows console build, under Wine: a print over TCP reaches
// the virtual printer byte for byte, its text converted from the command
// line's UTF-16; an upgrade over a COM port hands it the whole image.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Unix.h"
#include "support/VPrinter.h"
#include "tests/native/fwflash/FirmwareBuilder.h"

using namespace testsupport;

namespace {

TEST(RkitConsole, PrintOverTcpReachesThePrinter) {
  VPrinter printer("--no-render --tcp 127.0.0.91:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  const std::string dir = MakeTempDir();
  ASSERT_TRUE(CopyBuiltProgram("rkit/rkit.exe", dir));
  e2e::Program program(WindowsPath(dir + "/rkit.exe"), L"--net 127.0.0.91 print Ol\u00E1 --cut", L"");
  ASSERT_TRUE(program.started());
  const std::optional<DWORD> code = program.WaitExit(30000);
  ASSERT_TRUE(code.has_value());
  EXPECT_EQ(*code, 0u);
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "close") == 1; }));
  EXPECT_EQ(printer.Bytes(1), std::string("Ol\xA0\n\x1D\x56\x42\x00\x0A\x0A\x00", 11));
}

TEST(RkitConsole, FirmwareOverComHandsThePrinterTheExactImage) {
  const std::string pty = MakeTempDir() + "/pty";
  // a free TCP port: its default listener on 9100 would collide with parallel tests
  VPrinter printer("--no-render --tcp 127.0.0.1:0 --pty " + ShellQuote(pty) + " --firmware");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  ASSERT_TRUE(MapComTo(23, pty));
  const std::string dir = MakeTempDir();
  ASSERT_TRUE(CopyBuiltProgram("rkit/rkit.exe", dir));
  const std::vector<uint8_t> image = fwtest::MakeFirmware(fwtest::Counting(70000, 29), 0x5A);
  ASSERT_TRUE(WriteFile(dir + "/update.fmw", std::string(image.begin(), image.end())));
  e2e::Program program(WindowsPath(dir + "/rkit.exe"), L"--serial COM23:115200 firmware update.fmw", WindowsPath(dir));
  ASSERT_TRUE(program.started());
  EXPECT_EQ(program.WaitExit(60000), std::optional<DWORD>(0));
  EXPECT_EQ(ReadFile(printer.dir() + "/firmware-1.fmw"), std::string(image.begin(), image.end()));
}

}  // namespace
