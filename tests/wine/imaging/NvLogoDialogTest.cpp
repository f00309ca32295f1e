// The NV graphics dialog in-process: the key code check, GS 8 L define,
// GS ( L print, delete and delete all with their texts.
#include "ImagingFixture.h"
#include "prtbench/imaging/NvGraphics.h"
#include "prtbench/imaging/win/ImageFile.h"
#include "prtbench/imaging/win/NvLogoDialog.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;
using namespace std::string_literals;

class NvLogoDialogTest : public ImagingTest {
 protected:
  void Show(const std::function<void(HWND)>& script) {
    RunModal([this] { ShowNvLogoDialog(nullptr, app_.context); }, script);
  }
  void Open(HWND dialog, const std::string& path) {
    app_.prompts.AnswerFile(path);
    Click(dialog, IDC_NVLOGO_OPEN);
  }
};

TEST_F(NvLogoDialogTest, OpensWithKeyCodeFortyEightAndStartsFileChoiceInLogoSample) {
  Show([&](HWND dialog) {
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_KC1), "48");
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_KC2), "48");
    EXPECT_TRUE(Checked(dialog, IDC_NVLOGO_SIZE_NORMAL));
    EXPECT_TRUE(Checked(dialog, IDC_NVLOGO_CUT));
    for (int id : {IDC_NVLOGO_KC1, IDC_NVLOGO_KC2, IDC_NVLOGO_DELETE_ALL, IDC_NVLOGO_SIZE_DOUBLE_WIDTH}) {
      EXPECT_FALSE(Visible(dialog, id)) << id;
    }
    Open(dialog, Bmp("n.bmp", Picture(16, 8, [](auto, auto) { return true; })));
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS).substr(0, 5), "BMP: ");
  });
  EXPECT_EQ(app_.prompts.records().back().options.initialFolder, LogoSampleFolder());
}

TEST_F(NvLogoDialogTest, KeyCodeOutsidePrintableAsciiIsRefusedByDefineAndPrint) {
  struct Case {
    const char* kc1;
    bool accepted;
  };
  const std::string path = Bmp("k.bmp", Picture(8, 8, [](auto, auto) { return true; }));
  for (const Case& c : {Case{"31", false}, Case{"127", false}, Case{"x", false}, Case{"32", true}, Case{"126", true}}) {
    const size_t first = Sends(app_.devices).size();
    size_t boxes = 0;
    Show([&](HWND dialog) {
      Open(dialog, path);
      boxes = app_.prompts.messages().size();
      SetText(dialog, IDC_NVLOGO_KC1, c.kc1);
      for (int id : {IDC_NVLOGO_DEFINE, IDC_NVLOGO_PRINT}) {
        Click(dialog, id);
        Settle(app_);
        EXPECT_TRUE(Enabled(dialog, id));
      }
    });
    EXPECT_EQ(Sends(app_.devices, first).empty(), !c.accepted) << c.kc1;
    const auto messages = app_.prompts.messages();
    if (!c.accepted) {
      ASSERT_EQ(messages.size(), boxes + 2) << c.kc1;
      EXPECT_EQ(messages.back(), "kc1 must be >=32，and <127");
      EXPECT_EQ(app_.prompts.records().back().icon, winui::MessageIcon::None);
      EXPECT_EQ(Status(), "kc1 must be >=32，and <127");
    }
  }
  app_.context.SetLanguage(Language::Chinese);
  Show([&](HWND dialog) {
    SetText(dialog, IDC_NVLOGO_KC1, "200");
    Click(dialog, IDC_NVLOGO_PRINT);
  });
  EXPECT_EQ(LastMessage(), "kc1要>=32，<127");
}

TEST_F(NvLogoDialogTest, DefineSendsGs8LWithTheRowRaster) {
  const DecodedImage picture = Picture(384, 100, [](auto x, auto y) { return x % 5 == y % 3; });
  Show([&](HWND dialog) {
    Open(dialog, Bmp("d.bmp", picture));
    Click(dialog, IDC_NVLOGO_DEFINE);
    EXPECT_FALSE(Enabled(dialog, IDC_NVLOGO_DEFINE));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_NVLOGO_DEFINE));
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS), Status());
  });
  const auto sends = Sends(app_.devices);
  ASSERT_EQ(sends.size(), 1u);
  EXPECT_EQ(sends[0].substr(0, 18), "\x1D\x38\x4C\xCB\x12\x00\x00\x30\x43\x30\x30\x30\x01\x80\x01\x64\x00\x31"s);
  EXPECT_EQ(sends[0], AsString(NvDefineCommand(picture, 48, 48)));
  EXPECT_EQ(pauses_.pauses(), (std::vector<unsigned>{200, 700}));
}

// GS 8 L's yL yH would announce 0 rows for 65536, and the raster would reach
// the printer as commands; an unreadable picture would define an empty image.
TEST_F(NvLogoDialogTest, DefineRefusesPicturesThatDoNotDecodeOrFitAndSendsNothing) {
  testsupport::WriteFile(dir_ + "/junk.bmp", "no picture at all");
  const struct {
    std::string path;
    std::string message;
  } cases[] = {
      {winui::Narrow(testsupport::WindowsPath(dir_ + "/junk.bmp")), "Load Bitmap Fail!"},
      {Bmp("tall.bmp", Picture(8, 65536, [](auto, auto) { return false; })),
       "The picture is too large for this printer command: nothing was sent!"},
  };
  for (const auto& c : cases) {
    Show([&](HWND dialog) {
      Open(dialog, c.path);
      Click(dialog, IDC_NVLOGO_DEFINE);
      Settle(app_);
      EXPECT_TRUE(Enabled(dialog, IDC_NVLOGO_DEFINE));
    });
    EXPECT_EQ(LastMessage(), c.message);
  }
  EXPECT_TRUE(Sends(app_.devices).empty());
}

TEST_F(NvLogoDialogTest, PrintSendsByScaleAndCut) {
  struct Case {
    int sizeRadio;
    bool cut;
    std::string kc2;
    std::vector<std::string> sends;
  };
  const std::string head = "\x1B\x40\x1B\x61\x01\x1D\x54\x1D\x28\x4C\x06\x00\x30\x45\x30"s;
  const std::string feed = "\x0A\x0A\x0A\x0A\x0A\x0A\x00"s, cutTail = "\x1D\x56\x01\x00\x0A\x0A\x00"s;
  const Case cases[] = {
      {IDC_NVLOGO_SIZE_NORMAL, false, "48", {head + "\x30\x01\x01", feed}},
      {IDC_NVLOGO_SIZE_DOUBLE_WIDTH, true, "48", {head + "\x30\x02\x01", feed, cutTail}},
      {IDC_NVLOGO_SIZE_DOUBLE_HEIGHT, false, "65", {head + "\x41\x01\x02", feed}},
  };
  for (const Case& c : cases) {
    const size_t first = Sends(app_.devices).size();
    Show([&](HWND dialog) {
      CheckRadioButton(dialog, IDC_NVLOGO_SIZE_NORMAL, IDC_NVLOGO_SIZE_DOUBLE_BOTH, c.sizeRadio);
      SetChecked(dialog, IDC_NVLOGO_CUT, c.cut);
      SetText(dialog, IDC_NVLOGO_KC2, c.kc2);
      Click(dialog, IDC_NVLOGO_PRINT);
      EXPECT_FALSE(Enabled(dialog, IDC_NVLOGO_PRINT));
      Settle(app_);
      EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS), "Print Bitmap command  send successful");
    });
    EXPECT_EQ(Sends(app_.devices, first), c.sends) << c.sizeRadio;
  }
}

TEST_F(NvLogoDialogTest, DeleteNeedsNoRangeAndAnswersInEnglishDeleteAllFollowsTheLanguage) {
  struct Case {
    int button;
    Language language;
    bool linkDown;
    std::string status;
  };
  const Case cases[] = {
      {IDC_NVLOGO_DELETE, Language::Chinese, false, "Clear success!"},
      {IDC_NVLOGO_DELETE_ALL, Language::Chinese, false, "清除成功"},
      {IDC_NVLOGO_DELETE_ALL, Language::English, false, "Clear success!"},
      {IDC_NVLOGO_DELETE, Language::Chinese, true, "Clear failure!"},
      {IDC_NVLOGO_DELETE_ALL, Language::Chinese, true, "清除失败"},
  };
  for (const Case& c : cases) {
    app_.context.SetLanguage(c.language);
    if (c.linkDown) LinkDown();
    Show([&](HWND dialog) {
      SetText(dialog, IDC_NVLOGO_KC1, "20");
      Command(dialog, c.button);
      Settle(app_);
      EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS), c.status);
    });
  }
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{"\x1D\x28\x4C\x04\x00\x30\x42\x14\x30"s,
                                                           "\x1D\x28\x4C\x05\x00\x30\x41\x43\x4C\x52"s,
                                                           "\x1D\x28\x4C\x05\x00\x30\x41\x43\x4C\x52"s}));
}

}  // namespace
