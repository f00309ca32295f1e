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

TEST_F(NvLogoDialogTest, DefineSendsThePictureUnderTheKeyCode) {
  const DecodedImage picture = Picture(384, 100, [](auto x, auto y) { return x % 5 == y % 3; });
  Show([&](HWND dialog) {
    Open(dialog, Bmp("d.bmp", picture));
    SetText(dialog, IDC_NVLOGO_KC2, "65");
    Click(dialog, IDC_NVLOGO_DEFINE);
    EXPECT_FALSE(Enabled(dialog, IDC_NVLOGO_DEFINE));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_NVLOGO_DEFINE));
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS).rfind("LPT1 send data successfully!", 0), 0u);
  });
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{AsString(NvDefineCommand(picture, 48, 65))}));
  EXPECT_EQ(app_.Pauses(), (std::vector<unsigned>{200, 700}));
}

TEST_F(NvLogoDialogTest, DefineShowsARefusalInAMessageBox) {
  Show([&](HWND dialog) {
    Open(dialog, Bmp("tall.bmp", Picture(8, 65536, [](auto, auto) { return false; })));
    Click(dialog, IDC_NVLOGO_DEFINE);
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_NVLOGO_DEFINE));
  });
  EXPECT_EQ(LastMessage(), "The picture is too large for this printer command: nothing was sent!");
  EXPECT_TRUE(Sends(app_.devices).empty());
}

TEST_F(NvLogoDialogTest, PrintReadsTheScaleCutAndKeyCode) {
  Show([&](HWND dialog) {
    CheckRadioButton(dialog, IDC_NVLOGO_SIZE_NORMAL, IDC_NVLOGO_SIZE_DOUBLE_BOTH, IDC_NVLOGO_SIZE_DOUBLE_WIDTH);
    SetChecked(dialog, IDC_NVLOGO_CUT, true);
    SetText(dialog, IDC_NVLOGO_KC2, "65");
    Click(dialog, IDC_NVLOGO_PRINT);
    EXPECT_FALSE(Enabled(dialog, IDC_NVLOGO_PRINT));
    Settle(app_);
    EXPECT_TRUE(Enabled(dialog, IDC_NVLOGO_PRINT));
    EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS), "Print Bitmap command  send successful");
  });
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{AsString(NvPrintCommand(1, 48, 65)),
                                                           "\x0A\x0A\x0A\x0A\x0A\x0A\x00"s,
                                                           "\x1D\x56\x01\x00\x0A\x0A\x00"s}));
}

TEST_F(NvLogoDialogTest, DeleteNeedsNoRangeAndAnswersInEnglishDeleteAllFollowsTheLanguage) {
  app_.context.SetLanguage(Language::Chinese);
  for (const auto& [button, status] : {std::pair{IDC_NVLOGO_DELETE, "Clear success!"},
                                       std::pair{IDC_NVLOGO_DELETE_ALL, "清除成功"}}) {
    Show([&](HWND dialog) {
      SetText(dialog, IDC_NVLOGO_KC1, "20");
      Command(dialog, button);
      Settle(app_);
      // the outcome comes back through the window: a loaded machine may deliver it late
      testsupport::PumpUntil([&] { return Text(dialog, IDC_NVLOGO_STATUS) == status; }, 5000);
      EXPECT_EQ(Text(dialog, IDC_NVLOGO_STATUS), status);
    });
  }
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{AsString(NvDeleteCommand(20, 48)),
                                                           AsString(NvDeleteAllCommand())}));
}

}  // namespace
