// prtbench.exe starts under Wine, shows its main window and ends when it closes.
#include <gtest/gtest.h>

#include "support/Driver.h"
#include "support/Unix.h"

using namespace testsupport;

TEST(PrtbenchStart, ShowsTheMainWindowAndEndsWhenItCloses) {
  const std::string dir = MakeTempDir();
  ASSERT_TRUE(CopyBuiltProgram("prtbench/prtbench.exe", dir));
  e2e::Program program(WindowsPath(dir + "/prtbench.exe"), L"", WindowsPath(dir));
  ASSERT_TRUE(program.started());
  HWND main = program.WaitWindow(L"Corvane Printer Tool");
  ASSERT_NE(main, nullptr);
  PostMessageW(main, WM_CLOSE, 0, 0);
  EXPECT_EQ(program.WaitExit(10000), 0u);
}
