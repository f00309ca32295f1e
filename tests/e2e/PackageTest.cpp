// The release package as a technician gets it: its layout, the version
// information of every program and DLL, the driver DLLs' architectures, and
// the per-user setup installing, running and uninstalling under Wine.
#include <gtest/gtest.h>
#include <windows.h>

#include <cstdint>
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

TEST(Package, HoldsEveryFileWhereItsProgramLooks) {
  const std::string kit = e2e::UnpackKit();
  ASSERT_FALSE(kit.empty());
  const std::vector<std::string> expected{
      "Bmp_Led/Black.bmp", "Bmp_Led/Green.bmp", "Bmp_Led/Red.bmp", "EnCodeQr.dll",
      "Logo_Sample/logo.png", "Logo_Sample/receipt58.bmp", "Logo_Sample/receipt80.bmp", "Logo_Sample/tall80.bmp",
      "README.txt",
      "Windows NT x86/POS58.DLL", "Windows NT x86/POS58.GPD", "Windows NT x86/POS80.DLL", "Windows NT x86/POS80.GPD",
      "Windows NT x86/POS80C.GPD",
      "Windows x64/POS58.DLL", "Windows x64/POS58.GPD", "Windows x64/POS80.DLL", "Windows x64/POS80.GPD",
      "Windows x64/POS80C.GPD",
      "drvsetup.exe", "myTitle/bitmap11.bmp", "myTitle/fwflash.exe", "prtbench.exe", "rkit.exe"};
  EXPECT_EQ(FilesIn(kit), expected);
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
  const std::string kit = e2e::UnpackKit();
  ASSERT_FALSE(kit.empty());
  for (const char* file : {"prtbench.exe", "EnCodeQr.dll", "myTitle/fwflash.exe", "drvsetup.exe", "rkit.exe",
                           "Windows NT x86/POS80.DLL", "Windows NT x86/POS58.DLL", "Windows x64/POS80.DLL",
                           "Windows x64/POS58.DLL"}) {
    const auto version = ReadVersion(WindowsPath(kit + "/" + file));
    ASSERT_TRUE(version.has_value()) << file;
    EXPECT_EQ(version->high, (KIT_VERSION_MAJOR << 16) | KIT_VERSION_MINOR) << file;
    EXPECT_EQ(version->low, static_cast<std::uint32_t>(KIT_VERSION_PATCH << 16)) << file;
    EXPECT_EQ(version->productVersion, KIT_VERSION) << file;
    EXPECT_EQ(version->productName, "Receipt Printer Kit") << file;
    EXPECT_EQ(version->companyName, "Receipt Printer Kit developers") << file;
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

TEST(Package, EachDriverDllIsBuiltForTheArchitectureOfItsFolder) {
  const std::string kit = e2e::UnpackKit();
  ASSERT_FALSE(kit.empty());
  for (const char* dll : {"POS80.DLL", "POS58.DLL"}) {
    EXPECT_EQ(MachineOf(ReadFile(kit + "/Windows NT x86/" + dll)), 0x14Cu) << dll;  // i386
    EXPECT_EQ(MachineOf(ReadFile(kit + "/Windows x64/" + dll)), 0x8664u) << dll;    // AMD64
  }
}

}  // namespace
