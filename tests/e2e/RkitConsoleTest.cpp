// rkit.exe, the Windows console build, under Wine: a print over TCP reaches
// the virtual printer byte for byte, its text converted from the command
// line's UTF-16.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

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

}  // namespace
