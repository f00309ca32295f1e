// drvsetup.exe under Wine, driven like a user: choose the series and the
// interface, install, answer the question; Wine's spooler then lists the
// printer. Dummy driver files lie in the folder it starts in.
#include <gtest/gtest.h>
#include <windows.h>

#include <winspool.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "drvsetup/SpoolerState.h"
#include "drvsetup/res/resource.h"
#include "support/Driver.h"
#include "support/Package.h"
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

// Installs the second series on the "other" port (LPT1:) through the
// configuration dialog, as USB is chosen at start, and declines printui.
void InstallOnOtherPort(e2e::Program& program) {
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
}

TEST(DrvsetupInstall, InstallsThroughItsDialogAndTheSpoolerListsThePrinter) {
  DeletePrinters("Corvane RX-8");
  const std::string dir = PrepareFolder();
  e2e::Program program(WindowsPath(dir + "/drvsetup.exe"), L"", WindowsPath(dir));
  ASSERT_TRUE(program.started());
  InstallOnOtherPort(program);
  EXPECT_TRUE(Listed("Corvane RX-8"));
  EXPECT_EQ(Printer("Corvane RX-8")->port, "LPT1:");
  DeletePrinters("Corvane RX-8");
}

// The Windows universal printer driver files, which the release adds to the
// driver folders.
const std::vector<std::string> kSystemDriverFiles{"UNIDRV.DLL", "UNIDRVUI.DLL", "UNIRES.DLL",
                                                  "UNIDRV.HLP", "TTFSUB.GPD",   "STDNAMES.GPD"};

// The file of the spooler's driver store for this architecture (Wine copies
// an added driver's files into its "3" folder).
std::wstring StoredDriverFile(const std::string& name) {
  const wchar_t* environment = sizeof(void*) == 8 ? L"Windows x64" : L"Windows NT x86";
  wchar_t directory[MAX_PATH] = {};
  DWORD size = 0;
  GetPrinterDriverDirectoryW(nullptr, const_cast<wchar_t*>(environment), 1, reinterpret_cast<BYTE*>(directory),
                             sizeof directory, &size);
  return std::wstring(directory) + L"\\3\\" + e2e::Widen(name);
}

std::string ReadStored(const std::string& name) {
  std::ifstream in(std::filesystem::path(StoredDriverFile(name)), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

TEST(DrvsetupInstall, FromThePackageCopiesItsOwnFilesNotThoseOfTheCurrentFolder) {
  DeletePrinters("Corvane RX-8");
  const std::string kit = e2e::UnpackKit();
  ASSERT_FALSE(kit.empty());
  const std::string decoy = MakeTempDir();
  for (const char* folder : {"Windows x64", "Windows NT x86"}) {
    for (const auto& file : kSystemDriverFiles) WriteFile(kit + "/" + folder + "/" + file, "kit " + file);
    RunShell("mkdir -p " + ShellQuote(decoy + "/" + folder));
    for (const auto& file : kDriverFiles) WriteFile(decoy + "/" + folder + "/" + file, "decoy " + file);
  }
  DeleteFileW(StoredDriverFile("POS80C.GPD").c_str());
  DeleteFileW(StoredDriverFile("UNIDRV.DLL").c_str());

  e2e::Program program(WindowsPath(kit + "/drvsetup.exe"), L"", WindowsPath(decoy));
  ASSERT_TRUE(program.started());
  InstallOnOtherPort(program);

  EXPECT_TRUE(Listed("Corvane RX-8"));
  const std::string arch = sizeof(void*) == 8 ? "/Windows x64/" : "/Windows NT x86/";
  EXPECT_EQ(ReadStored("UNIDRV.DLL"), "kit UNIDRV.DLL");
  EXPECT_EQ(ReadStored("POS80C.GPD"), ReadFile(kit + arch + "POS80C.GPD"));
  for (const auto& file : kDriverFiles) EXPECT_NE(ReadStored(file), "decoy " + file);
  DeletePrinters("Corvane RX-8");
}

}  // namespace
