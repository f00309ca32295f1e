// The release package as a technician gets it: its layout, the version
// information of every program and DLL, the programs' manifests and the
// architecture each file is built for; the shipped package and this build's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "support/Package.h"
#include "support/Prtbench.h"
#include "support/Unix.h"
#include "support/VPrinter.h"

using namespace testsupport;

namespace {

// Every file of the package, relative to its folder, as `find | sort` lists them.
std::vector<std::string> FilesIn(const std::string& dir) {
  const std::string list = MakeTempDir() + "/files";
  RunShell("cd " + ShellQuote(dir) + " && find . -type f | sed 's|^\\./||' | LC_ALL=C sort >" + ShellQuote(list));
  std::vector<std::string> files;
  std::string text = ReadFile(list);
  for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    files.push_back(text.substr(start, end - start));
  }
  return files;
}

// The packages under test: the shipped one, whose programs are i686, and
// this build's where it is another one.
struct PackageUnderTest {
  std::string folder;
  unsigned machine;  // the PE machine type of its programs
};
std::vector<PackageUnderTest> Packages() {
  std::vector<PackageUnderTest> packages{{e2e::ShippedPackage(), 0x14C}};  // i386
  if (sizeof(void*) == 8) packages.push_back({Env("KIT_PACKAGE"), 0x8664});  // AMD64
  return packages;
}

const char* const kPrograms[] = {"prtbench.exe", "EnCodeQr.dll", "myTitle/fwflash.exe", "drvsetup.exe", "rkit.exe"};

TEST(Package, HoldsEveryFileWhereItsProgramLooks) {
  const std::vector<std::string> expected{
      "Bmp_Led/Black.bmp", "Bmp_Led/Green.bmp", "Bmp_Led/Red.bmp", "EnCodeQr.dll",
      "Logo_Sample/logo.png", "Logo_Sample/receipt58.bmp", "Logo_Sample/receipt80.bmp", "Logo_Sample/tall80.bmp",
      "README.txt",
      "Windows NT x86/POS58.DLL", "Windows NT x86/POS58.GPD", "Windows NT x86/POS80.DLL", "Windows NT x86/POS80.GPD",
      "Windows NT x86/POS80C.GPD",
      "Windows x64/POS58.DLL", "Windows x64/POS58.GPD", "Windows x64/POS80.DLL", "Windows x64/POS80.GPD",
      "Windows x64/POS80C.GPD",
      "drvsetup.exe", "myTitle/bitmap11.bmp", "myTitle/fwflash.exe", "prtbench.exe", "rkit.exe"};
  for (const auto& package : Packages()) {
    const std::string kit = e2e::UnpackKit(package.folder);
    ASSERT_FALSE(kit.empty());
    EXPECT_EQ(FilesIn(kit), expected) << package.folder;
  }
}

struct VersionRead {
  std::uint32_t high = 0, low = 0;  // VS_FIXEDFILEINFO's file version
  std::string productVersion, productName, companyName;
};

std::string StringValue(const std::vector<char>& data, const wchar_t* name) {
  wchar_t* value = nullptr;
  UINT length = 0;
  const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
  if (!VerQueryValueW(data.data(), key.c_str(), reinterpret_cast<void**>(&value), &length) || !value) return {};
  return e2e::Narrow(value);
}

std::optional<VersionRead> ReadVersion(const std::wstring& path) {
  DWORD handle = 0;
  const DWORD size = GetFileVersionInfoSizeW(path.c_str(), &handle);
  if (size == 0) return std::nullopt;
  std::vector<char> data(size);
  if (!GetFileVersionInfoW(path.c_str(), 0, size, data.data())) return std::nullopt;
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  if (!VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&fixed), &length) || !fixed) return std::nullopt;
  return VersionRead{fixed->dwFileVersionMS, fixed->dwFileVersionLS, StringValue(data, L"ProductVersion"),
                     StringValue(data, L"ProductName"), StringValue(data, L"CompanyName")};
}

TEST(Package, EveryProgramAndDllCarriesTheProjectVersion) {
  std::vector<std::string> files(std::begin(kPrograms), std::end(kPrograms));
  for (const char* dll : {"Windows NT x86/POS80.DLL", "Windows NT x86/POS58.DLL", "Windows x64/POS80.DLL",
                          "Windows x64/POS58.DLL"}) {
    files.push_back(dll);
  }
  for (const auto& package : Packages()) {
    const std::string kit = e2e::UnpackKit(package.folder);
    ASSERT_FALSE(kit.empty());
    for (const auto& file : files) {
      const auto version = ReadVersion(WindowsPath(kit + "/" + file));
      ASSERT_TRUE(version.has_value()) << file;
      EXPECT_EQ(version->high, (KIT_VERSION_MAJOR << 16) | KIT_VERSION_MINOR) << file;
      EXPECT_EQ(version->low, static_cast<std::uint32_t>(KIT_VERSION_PATCH << 16)) << file;
      EXPECT_EQ(version->productVersion, KIT_VERSION) << file;
      EXPECT_EQ(version->productName, "Receipt Printer Kit") << file;
      EXPECT_EQ(version->companyName, "Receipt Printer Kit developers") << file;
    }
  }
}

// The manifest a program carries (resource 1 of type RT_MANIFEST); "" when none.
std::string ManifestOf(const std::wstring& path) {
  HMODULE module = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
  if (!module) return {};
  std::string text;
  if (HRSRC found = FindResourceW(module, MAKEINTRESOURCEW(1), RT_MANIFEST)) {
    if (HGLOBAL loaded = LoadResource(module, found)) {
      text.assign(static_cast<const char*>(LockResource(loaded)), SizeofResource(module, found));
    }
  }
  FreeLibrary(module);
  return text;
}

TEST(Package, ManifestsCarryTheVersionRightsControlsDpiAndSystems) {
  using testing::HasSubstr;
  const std::string kit = e2e::UnpackKit(e2e::ShippedPackage());
  ASSERT_FALSE(kit.empty());
  const struct {
    const char *file, *identity, *level;
  } programs[] = {{"prtbench.exe", "ReceiptKit.prtbench", "asInvoker"},
                  {"myTitle/fwflash.exe", "ReceiptKit.fwflash", "asInvoker"},
                  {"drvsetup.exe", "ReceiptKit.drvsetup", "requireAdministrator"}};
  for (const auto& program : programs) {
    const std::string manifest = ManifestOf(WindowsPath(kit + "/" + program.file));
    EXPECT_THAT(manifest, HasSubstr(std::string("name=\"") + program.identity + "\" version=\"" KIT_VERSION ".0\""));
    EXPECT_THAT(manifest, HasSubstr(std::string("requestedExecutionLevel level=\"") + program.level + "\""));
    EXPECT_THAT(manifest, HasSubstr("name=\"Microsoft.Windows.Common-Controls\" version=\"6.0.0.0\""));
    EXPECT_THAT(manifest, HasSubstr("<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true<"));
    for (const char* system : {"35138b9a-5d96-4fbd-8e2d-a2440225f93a", "4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38",
                               "1f676c76-80e1-4239-95bb-83d0f6d0da78", "8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a"}) {
      EXPECT_THAT(manifest, HasSubstr(std::string("<supportedOS Id=\"{") + system + "}\"/>")) << program.file;
    }
  }
}

// The Machine field of a PE file's header; 0 when it is no PE file.
unsigned MachineOf(const std::string& bytes) {
  if (bytes.size() < 0x40 || bytes.compare(0, 2, "MZ") != 0) return 0;
  const auto byte = [&](size_t at) { return static_cast<unsigned>(static_cast<unsigned char>(bytes.at(at))); };
  const size_t header = byte(0x3C) | byte(0x3D) << 8 | byte(0x3E) << 16 | byte(0x3F) << 24;
  if (bytes.size() < header + 6 || bytes.compare(header, 4, std::string("PE\0\0", 4)) != 0) return 0;
  return byte(header + 4) | byte(header + 5) << 8;
}

TEST(Package, ProgramsAreBuiltForThePackageAndEachDriverDllForItsFolder) {
  for (const auto& package : Packages()) {
    const std::string kit = e2e::UnpackKit(package.folder);
    ASSERT_FALSE(kit.empty());
    for (const char* program : kPrograms) EXPECT_EQ(MachineOf(ReadFile(kit + "/" + program)), package.machine) << program;
    for (const char* dll : {"POS80.DLL", "POS58.DLL"}) {
      EXPECT_EQ(MachineOf(ReadFile(kit + "/Windows NT x86/" + dll)), 0x14Cu) << dll;  // i386
      EXPECT_EQ(MachineOf(ReadFile(kit + "/Windows x64/" + dll)), 0x8664u) << dll;    // AMD64
    }
  }
}

}  // namespace
