// Slot 0 of the accepted vendor table comes from the program's real file name.
#include <gtest/gtest.h>
#include <windows.h>

#include "support/Unix.h"

namespace {

using namespace testsupport;

// Copies the probe to `name` in a fresh folder, runs it and returns what it
// found in slot 0.
std::string Slot0For(const std::string& name) {
  const std::string dir = MakeTempDir();
  const std::string probe = Env("KIT_WINDOWS_BUILD") + "/tests/wine/fwflash/fwflash_slot0_probe.exe";
  EXPECT_EQ(RunShell("cp " + ShellQuote(probe) + " " + ShellQuote(dir + "/" + name)), 0);
  std::wstring commandLine = L"\"" + WindowsPath(dir + "/" + name) + L"\" \"" + WindowsPath(dir + "/slot0") + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!CreateProcessW(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process)) {
    return "not started";
  }
  WaitForSingleObject(process.hProcess, 30000);
  DWORD code = 99;
  GetExitCodeProcess(process.hProcess, &code);
  CloseHandle(process.hThread);
  CloseHandle(process.hProcess);
  EXPECT_EQ(code, 0u) << name;
  return ReadFile(dir + "/slot0");
}

TEST(ProgramName, VidInTheNameBecomesSlot0) {
  EXPECT_EQ(Slot0For("fwflash_vid_0519.exe"), "vid_0519");
  EXPECT_EQ(Slot0For("vid_1a2B-updater.exe"), "vid_1a2B");
}

TEST(ProgramName, PlainNameKeepsThePlaceholder) { EXPECT_EQ(Slot0For("fwflash.exe"), "vid_XXXX"); }

TEST(ProgramName, VidTooCloseToTheEndOfTheNameKeepsThePlaceholder) {
  // "vid_05" is followed by the extension: the name itself ends after six characters
  EXPECT_EQ(Slot0For("fwflash_vid_05.exe"), "vid_XXXX");
  EXPECT_EQ(Slot0For("fwflash_vid_.exe"), "vid_XXXX");
}

TEST(ProgramName, OnlyTheNameCountsNotTheFolder) {
  const std::string dir = MakeTempDir() + "/vid_7777";
  ASSERT_EQ(RunShell("mkdir -p " + ShellQuote(dir)), 0);
  // the probe runs from its own fresh folder; a vid_ in a folder name never counts
  EXPECT_EQ(Slot0For("fwflash.exe"), "vid_XXXX");
}

}  // namespace
