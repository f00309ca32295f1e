// The series' resource DLLs as the build leaves them beside drvsetup.exe:
// loadable as data, with their names and version.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "support/Unix.h"
#include "winui/Utf.h"

namespace {

TEST(ResourceDlls, LoadAsDataWithTheSeriesName) {
  const std::string folder = sizeof(void*) == 8 ? "Windows x64" : "Windows NT x86";
  for (const std::string series : {"POS80", "POS58"}) {
    const std::wstring path =
        testsupport::WindowsPath(testsupport::Env("KIT_WINDOWS_BUILD") + "/drvsetup/" + folder + "/" + series + ".DLL");
    HMODULE dll = LoadLibraryExW(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    ASSERT_NE(dll, nullptr) << series;
    wchar_t name[64] = {};
    LoadStringW(dll, 1, name, 64);
    EXPECT_EQ(winui::Narrow(name), series + " receipt printer");
    EXPECT_NE(FindResourceW(dll, MAKEINTRESOURCEW(1), RT_VERSION), nullptr) << series;
    FreeLibrary(dll);
  }
}

}  // namespace
