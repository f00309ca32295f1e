// The QR tests' fixture: the test program's folder plays prtbench's (it holds
// EnCodeQr.dll, Printer.ini and TempQr.bmp), a real Printer.ini store, and a
// scratch current folder for temp.txt.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "ImagingDriver.h"
#include "prtbench/link/win/IniFile.h"
#include "support/Unix.h"
#include "winui/Utf.h"

namespace imagingtest {

class QrTest : public testing::Test {
 protected:
  QrTest() : dir_(testsupport::MakeTempDir()) {
    app_.link.UpdateSettings([](prtbench::ConnectionSettings& s) {
      s.portType = prtbench::kPortLpt;
      s.lptName = "LPT1";
    });
    app_.shared.language = prtbench::Language::English;
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

  // The texts of the first and the last message box ("" when none showed).
  std::string FirstMessage() const {
    const auto texts = app_.prompts.messages();
    return texts.empty() ? std::string() : texts.front();
  }
  std::string LastMessage() const {
    const auto texts = app_.prompts.messages();
    return texts.empty() ? std::string() : texts.back();
  }

  testsupport::TestContext app_;
  prtbench::IniFileStore ini_{prtbench::SettingsFilePath()};
  prtbench::Context context_{app_.link, ini_, app_.prompts, app_.launcher, app_.status, app_};
  std::string dir_;
  wchar_t previous_[MAX_PATH] = {};
};

}  // namespace imagingtest
