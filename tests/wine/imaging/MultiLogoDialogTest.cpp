// The multiple logo download in-process: labels by language, browse and
// cancel, the images in box order, and a failure that stops it.
#include "ImagingFixture.h"
#include "prtbench/imaging/Logo.h"
#include "prtbench/imaging/win/MultiLogoDialog.h"
#include "prtbench/res/resource.h"
#include "winui/Utf.h"

namespace {

using namespace imagingtest;
using namespace testsupport;
using namespace prtbench;
using namespace std::string_literals;

constexpr int kPaths[] = {IDC_MULTILOGO_PATH_1, IDC_MULTILOGO_PATH_2, IDC_MULTILOGO_PATH_3,
                          IDC_MULTILOGO_PATH_4, IDC_MULTILOGO_PATH_5, IDC_MULTILOGO_PATH_6};

class MultiLogoDialogTest : public ImagingTest {
 protected:
  MultiLogoDialogTest() {
    for (int i = 0; i < 6; ++i) {
      pictures_.push_back(Picture(9 + 8 * i, 3 + i, [i](auto x, auto y) { return (x + y + i) % 4 == 0; }));
      paths_.push_back(Bmp("m" + std::to_string(i) + ".bmp", pictures_.back()));
    }
  }
  void Show(const std::function<void(HWND)>& script) {
    RunModal([this] { ShowMultiLogoDialog(nullptr, app_.context); }, script);
  }
  // Fills boxes with `texts` (one per box, "" to leave it empty) and downloads.
  void Download(const std::vector<std::string>& texts) {
    Show([&](HWND dialog) {
      for (size_t i = 0; i < texts.size(); ++i) SetText(dialog, kPaths[i], texts[i]);
      Click(dialog, IDC_MULTILOGO_DOWNLOAD);
      EXPECT_FALSE(Enabled(dialog, IDC_MULTILOGO_DOWNLOAD));
      Settle(app_);
      EXPECT_TRUE(Enabled(dialog, IDC_MULTILOGO_DOWNLOAD));
    });
  }
  std::string Definition(int i) const { return AsString(NvImageDefinition(pictures_[static_cast<size_t>(i)])); }

  std::vector<DecodedImage> pictures_;
  std::vector<std::string> paths_;
};

TEST_F(MultiLogoDialogTest, LabelsAndTheButtonFollowTheLanguage) {
  struct Case {
    Language language;
    std::vector<std::string> texts;
  };
  const Case cases[] = {
      {Language::English,
       {" The First bmp", " The Second bmp", " The Third bmp", " The Fourth bmp", " The Fifth bmp", " The Sixth bmp",
        "DownLoad"}},
      {Language::Chinese, {"第一个图片", "第二个图片", "第三个图片", "第四个图片", "第五个图片", "第六个图片", "下载"}},
  };
  for (const Case& c : cases) {
    app_.shared.language = c.language;
    Show([&](HWND dialog) {
      const int ids[] = {IDC_MULTILOGO_LABEL_1, IDC_MULTILOGO_LABEL_2, IDC_MULTILOGO_LABEL_3, IDC_MULTILOGO_LABEL_4,
                         IDC_MULTILOGO_LABEL_5, IDC_MULTILOGO_LABEL_6, IDC_MULTILOGO_DOWNLOAD};
      for (size_t i = 0; i < 7; ++i) EXPECT_EQ(Text(dialog, ids[i]), c.texts[i]);
    });
  }
}

TEST_F(MultiLogoDialogTest, BrowseFillsItsOwnBoxAndACancelEmptiesIt) {
  Show([&](HWND dialog) {
    app_.prompts.AnswerFile(paths_[0]);
    Click(dialog, IDC_MULTILOGO_BROWSE_3);
    EXPECT_EQ(Text(dialog, IDC_MULTILOGO_PATH_3), paths_[0]);
    EXPECT_EQ(Text(dialog, IDC_MULTILOGO_PATH_2), "");
    app_.prompts.AnswerFile(std::nullopt);
    Click(dialog, IDC_MULTILOGO_BROWSE_3);
    EXPECT_EQ(Text(dialog, IDC_MULTILOGO_PATH_3), "");
  });
  EXPECT_TRUE(app_.prompts.records()[0].options.initialFolder.empty());
}

TEST_F(MultiLogoDialogTest, BoxesTwoAndFiveBecomeImagesOneAndTwo) {
  app_.shared.language = Language::Chinese;
  Download({"", paths_[1], "  ", "", " " + paths_[4] + " "});
  EXPECT_EQ(Sends(app_.devices), (std::vector<std::string>{"\x1C\x71\x02"s + Definition(1) + Definition(4)}));
  EXPECT_EQ(LastMessage(), "下载成功");
  EXPECT_EQ(app_.prompts.records().back().icon, winui::MessageIcon::None);
  EXPECT_EQ(app_.Pauses(), (std::vector<unsigned>{700}));
}

// Files are looked for through the file system, and a failure shows in the
// same plain box.
TEST_F(MultiLogoDialogTest, AMissingFileStopsItBeforeAnyByte) {
  Download({paths_[0], winui::Narrow(testsupport::WindowsPath(dir_ + "/missing.bmp")), paths_[2]});
  EXPECT_TRUE(Sends(app_.devices).empty());
  EXPECT_EQ(LastMessage(), "file is not exist!");
}

}  // namespace
