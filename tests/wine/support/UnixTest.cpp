// The harness itself: Wine tests can run Linux commands and reach a COM port's pty.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/Unix.h"

using namespace testsupport;

TEST(Harness, ShellCommandsRunAndReportTheirStatus) {
  const std::string dir = MakeTempDir();
  EXPECT_EQ(RunShell("printf 'A\\001' > " + ShellQuote(dir + "/f")), 0);
  EXPECT_EQ(ReadFile(dir + "/f"), std::string("A\x01"));
  EXPECT_EQ(RunShell("exit 3"), 3);
}

TEST(Harness, TestsRunInsideTheLoopbackOnlyNamespace) {
  EXPECT_EQ(RunShell(ShellQuote(Env("KIT_SOURCE_DIR") + "/scripts/check-netns")), 0);
}

TEST(Harness, MappedComPortDeliversBytesToItsPeer) {
  const std::string peer = MapComPort(7);
  ASSERT_FALSE(peer.empty());
  const std::string out = MakeTempDir() + "/got";
  ASSERT_TRUE(StartShell("head -c 3 " + ShellQuote(peer) + " > " + ShellQuote(out) + ".tmp && mv " +
                         ShellQuote(out) + ".tmp " + ShellQuote(out)));
  Sleep(100);  // the reader opens the peer
  HANDLE port = CreateFileW(L"COM7", GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(port, INVALID_HANDLE_VALUE) << GetLastError();
  DWORD written = 0;
  EXPECT_TRUE(::WriteFile(port, "ABC", 3, &written, nullptr));
  CloseHandle(port);
  ASSERT_TRUE(WaitForFile(out, 5000, true));
  EXPECT_EQ(ReadFile(out), "ABC");
}
