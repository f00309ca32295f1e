// The logo dialog in-process: its start picture, FS q download, FS p print
// with size mode and cut, blanking, and what it shows while sends run.
#include "ImagingFixture.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/win/LogoDialog.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;
using namespace std::string_literals;

const std::string kGreeting = "Status Bar: Real-time display of bitmap print status!";
const std::string kPrintSent = "Print Bitmap command  send successful";

// Runs in a scratch folder; the start logo is looked for beside the test
// program, where the build puts none.
class LogoDialogTest : public ImagingTest {
 protected:
  LogoDialogTest() {
    GetCurrentDirectoryW(MAX_PATH, previous_);
    SetCurrentDirectoryW(testsupport::WindowsPath(dir_).c_str());
  }
  ~LogoDialogTest() override {
    SetCurrentDirectoryW(previous_);
    DeleteFileW(testsupport::WindowsPath(programDir_ + "/myTitle/bitmap11.bmp").c_str());
  }

  // myTitle\bitmap11.bmp in `dir` (a Unix path).
  static void WriteStartLogo(const std::string& dir, const DecodedImage& image) {
    CreateDirectoryW(testsupport::WindowsPath(dir + "/myTitle").c_str(), nullptr);
    WriteBmp(dir + "/myTitle/bitmap11.bmp", image);
  }
  void Show(const std::function<void(HWND)>& script) {
    RunModal([this] { ShowLogoDialog(nullptr, app_.context); }, script);
  }

  wchar_t previous_[MAX_PATH] = {};
  const std::string programDir_ = testsupport::Env("KIT_WINDOWS_BUILD") + "/tests/wine/imaging";
};

TEST_F(LogoDialogTest, OpensOnTheStartLogoOrWithoutItAfterTheLoadMessage) {
  // one in the current folder is not the program's
  WriteStartLogo(dir_, Picture(100, 40, [](auto, auto y) { return y < 3; }));
  for (Language language : {Language::English, Language::Chinese}) {
    app_.shared.language = language;
    Show([&](HWND dialog) {
      EXPECT_EQ(Text(dialog, IDC_LOGO_STATUS), language == Language::English ? kGreeting : "状态栏:  实时显示位图打印状态！");
      EXPECT_TRUE(Checked(dialog, IDC_LOGO_SIZE_NORMAL));
      EXPECT_TRUE(Checked(dialog, IDC_LOGO_CUT));
    });
    EXPECT_EQ(LastMessage(), language == Language::English ? "Load Bitmap Fail!" : "加载位图失败");
  }
  WriteStartLogo(programDir_, Picture(100, 40, [](auto, auto y) { return y < 3; }));
  app_.shared.language = Language::English;
  const size_t boxes = app_.prompts.messages().size();
  Show([&](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_LOGO_STATUS), "BMP: " + winui::Narrow(testsupport::WindowsPath(programDir_)) +
                                                 "\\myTitle\\bitmap11.bmp  Width：100  Height：40  Size(bytes)：600");
    EXPECT_EQ(ControlSize(dialog, IDC_LOGO_PREVIEW).cx, 100);
    EXPECT_EQ(ControlSize(dialog, IDC_LOGO_PREVIEW).cy, 40);
  });
  EXPECT_EQ(app_.prompts.messages().size(), boxes);
}

TEST_F(LogoDialogTest, OpeningClosesTheSocketOnly) {
  app_.link.UpdateSettings([](ConnectionSettings& s) { s.portType = kPortNet; });
  ASSERT_EQ(app_.link.OpenPort(), 1);
  bool netOpen = true;
  Show([&](HWND) {
    Settle(app_);
    netOpen = app_.link.IsOpen(kPortNet);
  });
  EXPECT_FALSE(netOpen);
}

// The job shows its own send's outcome, not what another thread (the
// monitor, the automatic sender) wrote into the status text meanwhile.
TEST_F(LogoDialogTest, DownloadShowsItsOwnOutcomeWithTheButtonDisabledUntilDone) {
  const DecodedImage picture = Picture(100, 100, [](auto x, auto y) { return x * y % 7 == 1; });
  const std::string path = Bmp("l.bmp", picture);
  app_.onPause = [this] { app_.shared.status.Set("Connected"); };
  Show([&](HWND dialog) {
    app_.prompts.AnswerFile(path);
    Click(dialog, IDC_LOGO_OPEN);
    Click(dialog, IDC_LOGO_DOWNLOAD);
    EXPECT_FALSE(Enabled(dialog, IDC_LOGO_DOWNLOAD));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_LOGO_DOWNLOAD));
    EXPECT_EQ(Text(dialog, IDC_LOGO_STATUS),
              "LPT1 send data successfully! current sended:" + std::to_string(Sends(app_.devices)[0].size()) +
                  " bytes,total sended:" + std::to_string(Sends(app_.devices)[0].size()) + " bytes ");
  });
  EXPECT_TRUE(app_.prompts.records()[1].options.initialFolder.empty());
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{AsString(LogoDownloadCommand(picture))}));
  EXPECT_EQ(app_.Pauses(), (std::vector<unsigned>{200, 700}));
}

TEST_F(LogoDialogTest, DownloadShowsARefusalInAMessageBox) {
  testsupport::WriteFile(dir_ + "/junk.bmp", "no picture at all");
  Show([&](HWND dialog) {
    app_.prompts.AnswerFile(winui::Narrow(testsupport::WindowsPath(dir_ + "/junk.bmp")));
    Click(dialog, IDC_LOGO_OPEN);
    Click(dialog, IDC_LOGO_DOWNLOAD);
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_LOGO_DOWNLOAD));
  });
  EXPECT_EQ(LastMessage(), "Load Bitmap Fail!");
  EXPECT_EQ(Status(), "Load Bitmap Fail!");
  EXPECT_TRUE(Sends(app_.devices).empty());
}

TEST_F(LogoDialogTest, PrintReadsTheSizeAndCutAndShowsItsOutcome) {
  Show([&](HWND dialog) {
    CheckRadioButton(dialog, IDC_LOGO_SIZE_NORMAL, IDC_LOGO_SIZE_DOUBLE_BOTH, IDC_LOGO_SIZE_DOUBLE_BOTH);
    SetChecked(dialog, IDC_LOGO_CUT, false);
    Click(dialog, IDC_LOGO_PRINT);
    EXPECT_FALSE(Enabled(dialog, IDC_LOGO_PRINT));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_LOGO_PRINT));
    EXPECT_EQ(Text(dialog, IDC_LOGO_STATUS), kPrintSent);
  });
  EXPECT_EQ(Sends(app_.devices),
            (std::vector<std::string>{AsString(LogoPrintCommand(3)), "\x0A\x0A\x0A\x0A\x0A\x0A\x00"s}));
}

TEST_F(LogoDialogTest, BlankSaysHowItWentInTheLanguage) {
  app_.shared.language = Language::Chinese;
  LinkDown();
  Show([&](HWND dialog) {
    Click(dialog, IDC_LOGO_BLANK);
    Settle(app_);
    EXPECT_EQ(Text(dialog, IDC_LOGO_STATUS), "清除失败");
    EXPECT_TRUE(Enabled(dialog, IDC_LOGO_BLANK));
  });
  EXPECT_EQ(Status(), "清除失败");
}

TEST_F(LogoDialogTest, TemplateHidesTheExtrasAndDrawsItsButtons) {
  Show([](HWND dialog) {
    for (int id : {IDC_LOGO_SIZE_DOUBLE_WIDTH, IDC_LOGO_SIZE_DOUBLE_HEIGHT, IDC_LOGO_SIZE_DOUBLE_BOTH,
                   IDC_LOGO_MULTI_DOWNLOAD, IDC_LOGO_SAVE_DATA, IDC_LOGO_BIN}) {
      EXPECT_FALSE(Visible(dialog, id)) << id;
    }
    EXPECT_EQ(Text(dialog, IDC_LOGO_DOWNLOAD), "Carregar  Logotipo");
    for (int id : {IDC_LOGO_OPEN, IDC_LOGO_DOWNLOAD, IDC_LOGO_PRINT, IDC_LOGO_BLANK, IDC_LOGO_MULTI_DOWNLOAD}) {
      EXPECT_EQ(GetWindowLongW(GetDlgItem(dialog, id), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW) << id;
    }
    HDC dc = GetDC(dialog);
    const auto brush = reinterpret_cast<HBRUSH>(SendMessageW(
        dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_LOGO_PREVIEW_GROUP))));
    ReleaseDC(dialog, dc);
    LOGBRUSH info{};
    ASSERT_NE(brush, nullptr);
    GetObjectW(brush, sizeof info, &info);
    EXPECT_EQ(info.lbColor, RGB(239, 247, 255));
  });
}

TEST_F(LogoDialogTest, TheHiddenButtonOpensTheMultipleDownload) {
  bool opened = false;
  Show([&](HWND dialog) {
    RunModal([dialog] { Command(dialog, IDC_LOGO_MULTI_DOWNLOAD); },
             [&](HWND multi) { opened = testsupport::WindowText(multi) == "multNvlogoDown"; });
  });
  EXPECT_TRUE(opened);
}

}  // namespace
