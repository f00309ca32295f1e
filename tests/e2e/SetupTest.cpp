// The package's setup under Wine, as a technician runs it: /S installs per
// user without elevation, the installed prtbench prints and keeps its settings,
// and the uninstaller's /S removes the programs but keeps Printer.ini unless
// asked with /REMOVESETTINGS.
#include <gtest/gtest.h>
#include <windows.h>

#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <optional>
#include <ostream>
#include <string>
#include <utility>

#include "support/Package.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;

namespace {

constexpr int kContent = 1019, kPrint = 1031, kComRadio = 1001;
const wchar_t kUninstallKey[] = L"Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\ReceiptPrinterKit";

std::wstring KnownFolder(int csidl) {
  wchar_t path[MAX_PATH] = {};
  SHGetFolderPathW(nullptr, csidl, nullptr, SHGFP_TYPE_CURRENT, path);
  return path;
}

// Wine's own export: the Unix path of a Windows one.
std::string UnixPath(const std::wstring& windowsPath) {
  using Convert = char*(CDECL*)(const wchar_t*);
  // through void(*)(): the one function type a FARPROC converts from without a warning
  const auto convert = reinterpret_cast<Convert>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32"), "wine_get_unix_file_name")));
  if (!convert) return {};
  char* unix = convert(windowsPath.c_str());
  if (!unix) return {};
  std::string path(unix);
  HeapFree(GetProcessHeap(), 0, unix);
  return path;
}

std::string UninstallValue(const wchar_t* name) {
  wchar_t value[512] = {};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, kUninstallKey, name, RRF_RT_REG_SZ, nullptr, value, &size) != ERROR_SUCCESS) {
    return "(none)";
  }
  return e2e::Narrow(value);
}

struct Shortcut {
  std::string target, arguments, startIn;
  bool operator==(const Shortcut&) const = default;
};
void PrintTo(const Shortcut& s, std::ostream* out) { *out << s.target << " " << s.arguments << " in " << s.startIn; }
std::optional<Shortcut> ReadShortcut(const std::wstring& path) {
  IShellLinkW* link = nullptr;
  if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                              reinterpret_cast<void**>(&link)))) {
    return std::nullopt;
  }
  IPersistFile* file = nullptr;
  std::optional<Shortcut> read;
  if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file))) &&
      SUCCEEDED(file->Load(path.c_str(), STGM_READ))) {
    wchar_t target[MAX_PATH] = {}, arguments[MAX_PATH] = {}, startIn[MAX_PATH] = {};
    link->GetPath(target, MAX_PATH, nullptr, 0);
    link->GetArguments(arguments, MAX_PATH);
    link->GetWorkingDirectory(startIn, MAX_PATH);
    read = Shortcut{e2e::Narrow(target), e2e::Narrow(arguments), e2e::Narrow(startIn)};
  }
  if (file) file->Release();
  link->Release();
  return read;
}

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Whether the uninstaller's copy of itself runs: NSIS names it "Un_<letter>.exe"
// (older versions "Au_.exe").
bool UninstallerCopyRuns() {
  HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
  if (snapshot == INVALID_HANDLE_VALUE) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof entry;
  bool found = false;
  for (BOOL more = Process32FirstW(snapshot, &entry); more && !found; more = Process32NextW(snapshot, &entry)) {
    found = _wcsnicmp(entry.szExeFile, L"Un_", 3) == 0 || _wcsicmp(entry.szExeFile, L"Au_.exe") == 0;
  }
  CloseHandle(snapshot);
  return found;
}

std::wstring InstallFolder() { return KnownFolder(CSIDL_LOCAL_APPDATA) + L"\\Programs\\Receipt Printer Kit"; }

void InstallSilently() {
  const std::string setup = e2e::SetupProgram();
  ASSERT_FALSE(setup.empty()) << "no setup in " << Env("KIT_PACKAGE");
  e2e::Program install(WindowsPath(setup), L"/S", WindowsPath(MakeTempDir()));
  ASSERT_TRUE(install.started());
  ASSERT_EQ(install.WaitExit(60000), 0u);
}

// Runs the installed uninstaller with `arguments` until its work is done.
void Uninstall(const std::wstring& folder, const wchar_t* arguments) {
  e2e::Program uninstall(folder + L"\\uninstall.exe", arguments, WindowsPath(MakeTempDir()));
  ASSERT_TRUE(uninstall.started());
  // the uninstaller runs a copy of itself from the temp folder and ends at once
  EXPECT_EQ(uninstall.WaitExit(30000), 0u);
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Exists(folder + L"\\prtbench.exe"); }, 30000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return !UninstallerCopyRuns(); }, 30000));
  EXPECT_TRUE(e2e::WaitUntil([&] { return UninstallValue(L"DisplayVersion") == "(none)"; }, 30000));
}

TEST(Setup, InstallsPerUserRunsKeepsItsSettingsAndUninstalls) {
  CoInitialize(nullptr);
  ASSERT_NO_FATAL_FAILURE(InstallSilently());
  const std::wstring folder = InstallFolder();
  const std::string dir = UnixPath(folder);
  const std::string windowsFolder = e2e::Narrow(folder);
  for (const char* file : {"prtbench.exe", "EnCodeQr.dll", "myTitle/fwflash.exe", "myTitle/bitmap11.bmp",
                           "drvsetup.exe", "Windows x64/POS80.DLL", "Windows NT x86/POS58.DLL", "uninstall.exe"}) {
    EXPECT_TRUE(WaitForFile(dir + "/" + file, 0)) << file;
  }
  EXPECT_EQ(UninstallValue(L"DisplayVersion"), KIT_VERSION);
  EXPECT_EQ(UninstallValue(L"UninstallString"), "\"" + windowsFolder + "\\uninstall.exe\"");
  const std::wstring menu = KnownFolder(CSIDL_PROGRAMS) + L"\\Receipt Printer Kit\\";
  const std::pair<const wchar_t*, Shortcut> shortcuts[] = {
      {L"Printer bench tool.lnk", {windowsFolder + "\\prtbench.exe", "", windowsFolder}},
      {L"Printer driver setup.lnk", {windowsFolder + "\\drvsetup.exe", "", windowsFolder}},
      {L"Firmware updater.lnk", {windowsFolder + "\\myTitle\\fwflash.exe", "MerrowByQuint", windowsFolder + "\\myTitle"}},
      {L"Uninstall.lnk", {windowsFolder + "\\uninstall.exe", "", windowsFolder}}};
  for (const auto& [name, expected] : shortcuts) {
    EXPECT_EQ(ReadShortcut(menu + name), expected) << e2e::Narrow(name);
  }

  VPrinter printer("--no-render --tcp 127.0.0.81:9100");
  ASSERT_TRUE(printer.ready()) << printer.Log();
  {
    e2e::Prtbench installed(dir, e2e::NetIni("127.0.0.81"));
    ASSERT_TRUE(installed.Start());
    e2e::SetControlText(installed.main(), kContent, "KIT");
    e2e::Click(installed.main(), kPrint);
    EXPECT_TRUE(installed.WaitStatusPrefix("Network send data successfully")) << installed.Status();
    e2e::Click(installed.main(), kComRadio);
    ASSERT_TRUE(e2e::WaitUntil([&] { return e2e::IsChecked(installed.main(), kComRadio); }));
    EXPECT_EQ(installed.Close(), 0u);
  }
  ASSERT_TRUE(printer.WaitJournal([](const JournalEvents& j) { return VPrinter::Count(j, "close") >= 1; }));
  EXPECT_EQ(printer.Bytes(1), "KIT");
  {
    e2e::Prtbench again(dir, "");
    ASSERT_TRUE(again.Start());
    EXPECT_TRUE(e2e::IsChecked(again.main(), kComRadio));
    EXPECT_EQ(again.Close(), 0u);
  }

  ASSERT_NO_FATAL_FAILURE(Uninstall(folder, L"/S"));
  EXPECT_FALSE(Exists(folder + L"\\myTitle"));
  EXPECT_FALSE(Exists(menu + L"Printer bench tool.lnk"));
  EXPECT_TRUE(Exists(folder + L"\\Printer.ini"));  // the user's settings stay
  RunShell("rm -rf " + ShellQuote(dir));
  CoUninitialize();
}

TEST(Setup, UninstallAskedToRemoveTheSettingsLeavesNoFolder) {
  ASSERT_NO_FATAL_FAILURE(InstallSilently());
  const std::wstring folder = InstallFolder();
  const std::string dir = UnixPath(folder);
  WriteFile(dir + "/Printer.ini", e2e::NetIni("127.0.0.1"));
  ASSERT_NO_FATAL_FAILURE(Uninstall(folder, L"/S /REMOVESETTINGS"));
  // the folder goes last, after the uninstall entry the wait above saw go
  EXPECT_TRUE(e2e::WaitUntil([&] { return !Exists(folder); }, 30000));
  RunShell("rm -rf " + ShellQuote(dir));
}

}  // namespace
