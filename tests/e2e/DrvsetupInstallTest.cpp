// drvsetup.exe under Wine, driven like a user: choose the series and the
// interface, install, answer the question; Wine's spooler then lists the
// printer. Dummy driver files lie in the folder it starts in.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "drvsetup/SpoolerState.h"
#include "drvsetup/res/resource.h"
#include "support/Driver.h"
#include "support/Unix.h"

using namespace testsupport;

namespace {

const std::vector<std::string> kDriverFiles{"POS80.DLL",  "POS80C.GPD", "UNIDRV.DLL", "UNIDRVUI.DLL",
                                            "UNIRES.DLL", "UNIDRV.HLP", "TTFSUB.GPD", "STDNAMES.GPD"};

// drvsetup.exe in a fresh folder with the driver files of both architectures.
std::string PrepareFolder() {
  const std::string dir = MakeTempDir();
  EXPECT_TRUE(CopyBuiltProgram("drvsetup/drvsetup.exe", dir));
  for (const char* folder : {"Windows x64", "Windows NT x86"}) {
    RunShell("mkdir -p " + ShellQuote(dir + "/" + folder));
    for (const auto& file : kDriverFiles) WriteFile(dir + "/" + folder + "/" + file, "dummy " + file);
  }
  return dir;
}

bool Listed(const std::string& name) {
  const auto names = SpoolerPrinterNames();
  return std::find(names.begin(), names.end(), name) != names.end();
}

TEST(DrvsetupInstall, InstallsThroughItsDialogAndTheSpoolerListsThePrinter) {
  DeletePrinters("Corvane RX-8");
  const std::string dir = PrepareFolder();
  e2e::Program program(WindowsPath(dir + "/drvsetup.exe"), L"", WindowsPath(dir));
  ASSERT_TRUE(program.started());
  HWND dialog = program.WaitWindow(L"Install Configuration");
  ASSERT_NE(dialog, nullptr);
  EXPECT_TRUE(e2e::IsChecked(dialog, IDC_CONFING_USB));

  e2e::Click(dialog, 1014);
  e2e::Click(dialog, IDC_CONFING_OTHER);
  ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsChecked(dialog, IDC_CONFING_OTHER); }));
  e2e::Click(dialog, IDC_CONFING_INSTALL);
  const auto question = e2e::WaitMessageBox(program);
  ASSERT_TRUE(question.has_value());
  EXPECT_EQ(question->text, "Succeed !\nDo you want to configure printer now?");
  PostMessageW(question->box, WM_COMMAND, IDNO, 0);

  EXPECT_EQ(program.WaitExit(15000), 0u);
  EXPECT_TRUE(Listed("Corvane RX-8"));
  EXPECT_EQ(Printer("Corvane RX-8")->port, "LPT1:");
  DeletePrinters("Corvane RX-8");
}

}  // namespace
