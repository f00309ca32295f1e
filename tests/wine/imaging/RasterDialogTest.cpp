// The "1D 76 print" dialog in-process: its width list, the refusals in their
// order, the preview and info line, and the one GS v 0 command on the wire.
#include "ImagingFixture.h"
#include "prtbench/imaging/RasterPrint.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/RasterDialog.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;
using namespace std::string_literals;

class RasterDialogTest : public ImagingTest {
 protected:
  void Show(const std::function<void(HWND)>& script) {
    RunModal([this] { ShowRasterDialog(nullptr, app_.context); }, script);
  }
  // Opens `path` through the file dialog and prints at width `position`.
  void OpenAndPrint(HWND dialog, const std::string& path, int position) {
    app_.prompts.AnswerFile(path);
    Click(dialog, IDC_RASTER_OPEN);
    if (position >= 0) SendDlgItemMessageW(dialog, IDC_RASTER_WIDTH, CB_SETCURSEL, position, 0);
    Click(dialog, IDC_RASTER_PRINT);
  }
};

TEST_F(RasterDialogTest, OpensWithTheFourWidthsAndNoneChosen) {
  Show([](HWND dialog) {
    EXPECT_EQ(ComboEntries(dialog, IDC_RASTER_WIDTH),
              (std::vector<std::string>{"58(48mm/384dot)", "80(64mm/512dot)", "80(72mm/576dot)", "80(80mm/640dot)"}));
    EXPECT_EQ(ComboIndex(dialog, IDC_RASTER_WIDTH), -1);
    EXPECT_EQ(Text(dialog, IDC_RASTER_OPEN), "打开位图");
    EXPECT_EQ(Text(dialog, IDC_RASTER_WIDTH_LABEL), "打印宽度:");
  });
}

TEST_F(RasterDialogTest, RefusesBeforeSendingAnythingInTheStatedOrder) {
  struct Case {
    Language language;
    bool open;
    int position;
    std::string message;
  };
  const Case cases[] = {
      {Language::English, false, -1, "Please Select Printer`s PrintWidth!"},
      {Language::Chinese, false, -1, "请选择打印机打印宽度"},
      {Language::English, true, -1, "Please Select Printer`s PrintWidth!"},
      {Language::English, false, 0, "Please open the bitmap!"},
      {Language::Chinese, false, 3, "请先打开位图"},
  };
  const std::string path = Bmp("a.bmp", Picture(384, 8, [](auto, auto) { return true; }));
  for (const Case& c : cases) {
    app_.shared.language = c.language;
    Show([&](HWND dialog) {
      if (c.open) {
        app_.prompts.AnswerFile(path);
        Click(dialog, IDC_RASTER_OPEN);
      }
      if (c.position >= 0) SendDlgItemMessageW(dialog, IDC_RASTER_WIDTH, CB_SETCURSEL, c.position, 0);
      Click(dialog, IDC_RASTER_PRINT);
      Settle(app_);
      EXPECT_EQ(Status(), c.message);
    });
    EXPECT_EQ(LastMessage(), c.message);
    EXPECT_EQ(app_.prompts.records().back().icon, winui::MessageIcon::Information);
  }
  EXPECT_TRUE(Sends(app_.devices).empty());
}

TEST_F(RasterDialogTest, OpenStartsInLogoSampleAndShowsThePreviewAndInfoLine) {
  const std::string path = Bmp("logo.bmp", Picture(50, 16, [](auto x, auto) { return x < 5; }));
  Show([&](HWND dialog) {
    app_.prompts.AnswerFile(path);
    Click(dialog, IDC_RASTER_OPEN);
    const SIZE size = ControlSize(dialog, IDC_RASTER_PREVIEW);
    EXPECT_EQ(size.cx, 50);
    EXPECT_EQ(size.cy, 16);
    const std::string line = "BMP: " + path + "  Width：50  Height：16  Size(bytes)：150,Max size is 32k bytes";
    EXPECT_EQ(Text(dialog, IDC_RASTER_INFO), line);
    EXPECT_EQ(Status(), line);
  });
  const auto open = app_.prompts.records().front();
  EXPECT_EQ(open.kind, "open");
  EXPECT_EQ(open.text, "Open File");
  EXPECT_EQ(open.options.initialFolder, LogoSampleFolder());
  EXPECT_EQ(open.options.filters, (std::vector<std::pair<std::string, std::string>>{
                                      {"Bmp Files(*.bmp)", "*.bmp"}, {"All Files(*.*)", "*.*"}}));
  EXPECT_TRUE(open.options.defaultExtension.empty());
  EXPECT_TRUE(open.options.hideReadOnly);
}

TEST_F(RasterDialogTest, PrintSendsTheWholePictureAsOneCommand) {
  const DecodedImage picture = Picture(384, 100, [](auto x, auto y) { return (x + y) % 3 == 0; });
  const std::string path = Bmp("p.bmp", picture);
  Show([&](HWND dialog) {
    OpenAndPrint(dialog, path, 0);
    EXPECT_FALSE(Enabled(dialog, IDC_RASTER_PRINT));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_RASTER_PRINT));
    EXPECT_EQ(Text(dialog, IDC_RASTER_INFO).rfind("LPT1 send data successfully!", 0), 0u);
  });
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{AsString(RasterImageCommand(picture))}));
  EXPECT_EQ(app_.Pauses(), (std::vector<unsigned>{200, 700}));
  EXPECT_TRUE(app_.prompts.messages().empty());
}

TEST_F(RasterDialogTest, ANarrowPictureIsRefusedInAMessageBox) {
  const std::string path = Bmp("383.bmp", Picture(383, 2, [](auto, auto) { return true; }));
  Show([&](HWND dialog) {
    OpenAndPrint(dialog, path, 0);
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_RASTER_PRINT));
  });
  EXPECT_EQ(LastMessage(), "Bitmap`s width is lower than Printer`s PrintWidth !");
  EXPECT_TRUE(Sends(app_.devices).empty());
}

TEST_F(RasterDialogTest, APngFailsThePreviewYetPrints) {
  const std::string png = dir_ + "/wide.png";
  ASSERT_EQ(testsupport::RunShell("convert -size 640x3 xc:black " + testsupport::ShellQuote(png)), 0);
  Show([&](HWND dialog) {
    OpenAndPrint(dialog, winui::Narrow(testsupport::WindowsPath(png)), 0);
    Settle(app_);
  });
  EXPECT_EQ(FirstMessage(), "Load Bitmap Fail!");
  const auto sends = Sends(app_.devices);
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0], "\x1D\x76\x30\x00\x50\x00\x03\x00"s + std::string(240, '\xFF'));
}

}  // namespace
