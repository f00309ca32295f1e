// The QR tests' fixture: the dialogs' fixture, with the test program's folder
// playing prtbench's (it holds EnCodeQr.dll, Printer.ini and TempQr.bmp), a
// real Printer.ini store, and the scratch folder current for temp.txt.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ImagingFixture.h"
#include "prtbench/link/win/IniFile.h"
#include "support/Unix.h"
#include "winui/Utf.h"

namespace imagingtest {

class QrTest : public ImagingTest {
 protected:
  QrTest() {
    DeleteFileW(Beside(L"TempQr.bmp").c_str());
    DeleteFileW(Beside(L"Printer.ini").c_str());
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(testsupport::WindowsPath(dir_).c_str());
  }
  ~QrTest() override { SetCurrentDirectoryW(previous_); }

  static std::wstring Beside(const wchar_t* name) { return prtbench::ExeDirectory() + L"\\" + name; }
  // The Unix path of a Windows path on drive Z:.
  static std::string UnixPath(const std::wstring& path) {
    std::string unix = winui::Narrow(path.substr(2));
    for (char& c : unix) c = c == '\\' ? '/' : c;
    return unix;
  }
  // What zbarimg reads in the BMP file at `unixPath` ("" when nothing).
  static std::string ZbarRead(const std::string& unixPath) {
    const std::string out = unixPath + ".txt";
    testsupport::RunShell("zbarimg -q --raw " + testsupport::ShellQuote(unixPath) + " > " + testsupport::ShellQuote(out));
    std::string text = testsupport::ReadFile(out);
    if (!text.empty() && text.back() == '\n') text.pop_back();
    return text;
  }
  // A [QR] key of the Printer.ini beside the program.
  static std::string IniValue(const char* key) {
    wchar_t value[64] = {};
    GetPrivateProfileStringW(L"QR", winui::Widen(key).c_str(), L"", value, 64, Beside(L"Printer.ini").c_str());
    return winui::Narrow(value);
  }
  // The width of the BMP beside the program (0 when there is none).
  static std::int32_t PreviewFileWidth() {
    const std::string bmp = testsupport::ReadFile(UnixPath(Beside(L"TempQr.bmp")));
    if (bmp.size() < 26) return 0;
    return static_cast<std::uint8_t>(bmp[18]) | static_cast<std::uint8_t>(bmp[19]) << 8;
  }

  prtbench::IniFileStore ini_{prtbench::SettingsFilePath()};
  prtbench::Context context_{app_.link, ini_, app_.prompts, app_.launcher, app_.status, app_, app_.clock};
  wchar_t previous_[MAX_PATH] = {};
};

}  // namespace imagingtest
