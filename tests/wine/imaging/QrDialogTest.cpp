// The QR dialog in-process: lists, the preview made through EnCodeQr.dll on
// every change (read back by zbarimg from the file and from the painted
// dialog), the [QR] keys and temp.txt, Print QR's four sends, and the
// failures that say "can't create bitmap" yet leave printing possible.
#include "QrFixture.h"
#include "prtbench/imaging/win/QrDialog.h"
#include "prtbench/res/resource.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;
using namespace std::string_literals;

const std::string kOpening = "https://www.example.com/";

class QrDialogTest : public QrTest {
 protected:
  void Show(const std::function<void(HWND)>& script) {
    RunModal([this] { ShowQrDialog(nullptr, context_); }, script);
  }
  std::string PreviewFileText() const { return ZbarRead(UnixPath(Beside(L"TempQr.bmp"))); }
  // The dialog painted into a bitmap, the preview's place cut out and read by zbarimg.
  std::string PaintedText(HWND dialog) {
    RECT picture{};
    GetWindowRect(GetDlgItem(dialog, IDC_QR_PICTURE), &picture);
    MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&picture), 2);
    RECT client{};
    GetClientRect(dialog, &client);
    HDC screen = GetDC(dialog);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP canvas = CreateCompatibleBitmap(screen, client.right, client.bottom);
    HGDIOBJ old = SelectObject(memory, canvas);
    SendMessageW(dialog, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT);
    DecodedImage image{static_cast<std::uint32_t>(picture.right - picture.left),
                       static_cast<std::uint32_t>(picture.bottom - picture.top), {}};
    for (LONG y = picture.top; y < picture.bottom; ++y) {
      for (LONG x = picture.left; x < picture.right; ++x) image.pixels.push_back(GetPixel(memory, x, y) & 0xFFFFFF);
    }
    SelectObject(memory, old);
    DeleteObject(canvas);
    DeleteDC(memory);
    ReleaseDC(dialog, screen);
    const std::string file = dir_ + "/painted.bmp";
    WriteBmp(file, image);
    return ZbarRead(file);
  }
  std::string TempText() const { return testsupport::ReadFile(dir_ + "/temp.txt"); }
};

TEST_F(QrDialogTest, OpensOnItsListsAndShowsThePreviewOfTheOpeningText) {
  Show([&](HWND dialog) {
    EXPECT_EQ(ComboEntries(dialog, IDC_QR_ECC), (std::vector<std::string>{"7%", "15%", "25%", "30%"}));
    const auto scales = ComboEntries(dialog, IDC_QR_SCALE);
    ASSERT_EQ(scales.size(), 16u);
    EXPECT_EQ(scales.front(), "1");
    EXPECT_EQ(scales.back(), "16");
    EXPECT_EQ(ComboIndex(dialog, IDC_QR_ECC), 0);
    EXPECT_EQ(ComboIndex(dialog, IDC_QR_SCALE), 6);
    EXPECT_FALSE(Checked(dialog, IDC_QR_CUT));
    EXPECT_EQ(Text(dialog, IDC_QR_TEXT), kOpening);
    EXPECT_FALSE(Visible(dialog, IDC_QR_PICTURE));
    EXPECT_EQ(PaintedText(dialog), kOpening);
  });
  EXPECT_EQ(PreviewFileText(), kOpening);
  // 24 bytes at 7 %: version 2, 25 modules and the quiet zone, 7 pixels each
  EXPECT_EQ(PreviewFileWidth(), (25 + 8) * 7);
  EXPECT_EQ(IniValue("ECCLevel"), "7%");
  EXPECT_EQ(IniValue("Scale"), "7");
  EXPECT_EQ(TempText(), kOpening + '\0');
  EXPECT_TRUE(app_.prompts.messages().empty());
}

TEST_F(QrDialogTest, VoltarClosesTheDialog) {
  bool scripted = false;
  WhenModal([&](HWND dialog) {
    scripted = true;
    Click(dialog, IDC_QR_BACK);  // the dialog's own button ends it: nothing else does here
  });
  ShowQrDialog(nullptr, context_);
  EXPECT_TRUE(scripted);
}

TEST_F(QrDialogTest, TextAndListChangesRegenerateClearRegeneratesEmpty) {
  Show([&](HWND dialog) {
    TypeInto(dialog, IDC_QR_TEXT, "ABC");
    EXPECT_EQ(PreviewFileText(), "ABC");
    EXPECT_EQ(TempText(), "ABC\0"s);
    SelectCombo(dialog, IDC_QR_ECC, 3);
    SelectCombo(dialog, IDC_QR_SCALE, 15);
    EXPECT_EQ(IniValue("ECCLevel"), "30%");
    EXPECT_EQ(IniValue("Scale"), "16");
    EXPECT_EQ(PreviewFileWidth(), (21 + 8) * 16);
    // larger than its frame: shown whole, scaled down
    EXPECT_EQ(PaintedText(dialog), "ABC");
    SelectCombo(dialog, IDC_QR_SCALE, 4);
    EXPECT_EQ(PaintedText(dialog), "ABC");
    Click(dialog, IDC_QR_CLEAR);
    EXPECT_EQ(Text(dialog, IDC_QR_TEXT), "");
    EXPECT_EQ(TempText(), "\0"s);
  });
  EXPECT_TRUE(app_.prompts.messages().empty());
}

TEST_F(QrDialogTest, PrintSendsTheFourCommandsEmptyTextSendsNothing) {
  struct Case {
    int ecc, scale;
    bool cut;
    std::vector<std::string> sends;
  };
  const std::string store = "\x1D\x28\x6B\x30\x80\x04\x00\x41\x42\x43\x00"s;
  const Case cases[] = {
      {0, 6, false,
       {"\x1B\x40\x0A\x1D\x28\x6B\x30\x67\x07"s, "\x1D\x28\x6B\x30\x69\x48"s, store, "\x1D\x28\x6B\x30\x81\x1B\x4A\xC8"s}},
      {3, 15, true,
       {"\x1B\x40\x0A\x1D\x28\x6B\x30\x67\x10"s, "\x1D\x28\x6B\x30\x69\x51"s, store,
        "\x1D\x28\x6B\x30\x81\x1B\x4A\xFA\x1D\x56\x01"s}},
  };
  for (const Case& c : cases) {
    const size_t first = Sends(app_.devices).size();
    Show([&](HWND dialog) {
      TypeInto(dialog, IDC_QR_TEXT, "ABC");
      SelectCombo(dialog, IDC_QR_ECC, c.ecc);
      SelectCombo(dialog, IDC_QR_SCALE, c.scale);
      SetChecked(dialog, IDC_QR_CUT, c.cut);
      Click(dialog, IDC_QR_PRINT);
      EXPECT_FALSE(Enabled(dialog, IDC_QR_PRINT));
      Settle(app_);
      EXPECT_TRUE(Enabled(dialog, IDC_QR_PRINT));
    });
    EXPECT_EQ(Sends(app_.devices, first), c.sends);
  }
  const size_t first = Sends(app_.devices).size();
  Show([&](HWND dialog) {
    Click(dialog, IDC_QR_CLEAR);
    Click(dialog, IDC_QR_PRINT);
    Settle(app_);
  });
  EXPECT_TRUE(Sends(app_.devices, first).empty());
  EXPECT_EQ(LastMessage(), "The input data is empty!");
  EXPECT_EQ(app_.prompts.records().back().icon, winui::MessageIcon::Information);
}

// Each way the preview cannot be made, set up by `breakIt` and undone by `repair`.
struct Breakage {
  const char* name;
  std::function<void()> breakIt;
  std::function<void()> repair;
};

TEST_F(QrDialogTest, WithoutAPreviewItSaysSoKeepsTheLastOneAndStillPrints) {
  const std::wstring library = Beside(L"EnCodeQr.dll"), away = Beside(L"EnCodeQr.dll.away");
  const std::wstring stranger = Beside(L"qr_no_exports.dll");
  const Breakage breakages[] = {
      {"library missing", [&] { MoveFileW(library.c_str(), away.c_str()); },
       [&] { MoveFileW(away.c_str(), library.c_str()); }},
      {"export missing",
       [&] {
         MoveFileW(library.c_str(), away.c_str());
         CopyFileW(stranger.c_str(), library.c_str(), FALSE);
       },
       [&] {
         DeleteFileW(library.c_str());
         MoveFileW(away.c_str(), library.c_str());
       }},
      {"temp.txt not writable",
       [&] {
         const std::wstring temp = testsupport::WindowsPath(dir_ + "/temp.txt");
         DeleteFileW(temp.c_str());
         CreateDirectoryW(temp.c_str(), nullptr);
       },
       [&] { RemoveDirectoryW(testsupport::WindowsPath(dir_ + "/temp.txt").c_str()); }},
  };
  for (const Breakage& b : breakages) {
    const size_t first = Sends(app_.devices).size();
    Show([&](HWND dialog) {
      b.breakIt();
      TypeInto(dialog, IDC_QR_TEXT, "ABC");
      b.repair();
      EXPECT_EQ(LastMessage(), "can't create bitmap") << b.name;
      EXPECT_EQ(PaintedText(dialog), kOpening) << b.name;
      Click(dialog, IDC_QR_PRINT);
      Settle(app_);
    });
    EXPECT_EQ(Sends(app_.devices, first).size(), 4u) << b.name;
    EXPECT_EQ(PreviewFileText(), kOpening) << b.name;
  }
}

TEST_F(QrDialogTest, ATextPastVersionFortySaysSoInTheLanguage) {
  app_.context.SetLanguage(Language::Chinese);
  Show([&](HWND dialog) {
    SelectCombo(dialog, IDC_QR_ECC, 3);  // 30 %: at most 1273 bytes
    TypeInto(dialog, IDC_QR_TEXT, std::string(1274, 'q'));
  });
  EXPECT_EQ(LastMessage(), "不能生成位图");
  EXPECT_EQ(app_.prompts.records().back().icon, winui::MessageIcon::Information);
}

}  // namespace
