// EnCodeQr.dll loaded and called exactly as prtbench calls it: by full path,
// SetQrConFile with the doubled settings path, then EnQrText.
#include <cstring>

#include "QrFixture.h"
#include "prtbench/imaging/win/QrPreviewLibrary.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;

class EnCodeQrTest : public QrTest {
 protected:
  // A settings file with `ini` in a folder whose name has a blank.
  std::wstring Settings(const std::string& ini) {
    const std::string folder = dir_ + "/with blank";
    CreateDirectoryW(testsupport::WindowsPath(folder).c_str(), nullptr);
    testsupport::WriteFile(folder + "/Printer.ini", ini);
    return testsupport::WindowsPath(folder + "/Printer.ini");
  }
};

TEST_F(EnCodeQrTest, DrawsAtTheLevelAndScaleOfTheSettingsFile) {
  struct Case {
    std::string ini;
    std::string text;
    std::int32_t width;
  };
  const Case cases[] = {
      {"[QR]\r\nECCLevel=30%\r\nScale=3\r\n", "ABC", (21 + 8) * 3},
      {"[QR]\r\nECCLevel=7%\r\nScale=16\r\n", std::string(40, 'x'), (29 + 8) * 16},   // 40 bytes need version 3 at 7 %
      {"[QR]\r\nECCLevel=30%\r\nScale=2\r\n", std::string(40, 'x'), (37 + 8) * 2},    // and version 5 at 30 %
      {"", "ABC", (21 + 8) * 2},                                                        // no keys: 25 % and 2
  };
  for (const Case& c : cases) {
    ASSERT_TRUE(RunQrPreviewLibrary(Beside(L"EnCodeQr.dll"), Settings(c.ini), c.text)) << c.ini;
    EXPECT_EQ(PreviewFileWidth(), c.width) << c.ini;
    EXPECT_EQ(ZbarRead(UnixPath(Beside(L"TempQr.bmp"))), c.text) << c.ini;
  }
}

TEST_F(EnCodeQrTest, ExportsAreCdeclAndTheResultComparesAboveNull) {
  HMODULE library = LoadLibraryW(Beside(L"EnCodeQr.dll").c_str());
  ASSERT_NE(library, nullptr);
  const auto setConFile =
      reinterpret_cast<SetQrConFileFunction>(reinterpret_cast<void*>(GetProcAddress(library, "SetQrConFile")));
  const auto enQrText = reinterpret_cast<EnQrTextFunction>(reinterpret_cast<void*>(GetProcAddress(library, "EnQrText")));
  ASSERT_TRUE(setConFile && enQrText);
  std::string doubled;
  for (char c : winui::Narrow(Settings("[QR]\r\nScale=4\r\n"))) doubled += c == '\\' ? "\\\\" : std::string(1, c);
  setConFile(doubled.c_str());
  const char* result = enQrText("hello", "");
  ASSERT_NE(result, nullptr);
  EXPECT_GT(std::strcmp(result, "(null)"), 0);
  EXPECT_EQ(PreviewFileWidth(), (21 + 8) * 4);
  // a null text and a text past version 40 fail and leave the file alone
  EXPECT_EQ(enQrText(nullptr, ""), nullptr);
  EXPECT_EQ(enQrText(std::string(3000, 'x').c_str(), ""), nullptr);
  EXPECT_EQ(ZbarRead(UnixPath(Beside(L"TempQr.bmp"))), "hello");
  FreeLibrary(library);
}

TEST_F(EnCodeQrTest, AMissingLibraryOrExportIsAFailure) {
  EXPECT_FALSE(RunQrPreviewLibrary(Beside(L"NoSuchLibrary.dll"), Settings(""), "ABC"));
  EXPECT_FALSE(RunQrPreviewLibrary(Beside(L"qr_no_exports.dll"), Settings(""), "ABC"));
  EXPECT_EQ(PreviewFileWidth(), 0);
}

}  // namespace
